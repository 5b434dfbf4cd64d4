// The program's event handlers, by the names the window description gives.
#pragma once

#include <span>

#include "app/frame.h"

namespace tamrel::app {

std::span<const HandlerRoutine> ProgramHandlers();

}  // namespace tamrel::app
