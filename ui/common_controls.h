// The declarations of the common controls (subclassing, class names), which
// need those of windows.h before them.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
