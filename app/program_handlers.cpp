#include "app/program_handlers.h"

#include "calc/calculate_command.h"

namespace tamrel::app {
namespace {

// The click of 按钮1: the click expects no answer.
HandlerAnswer CalculateClicked(AppFrame& frame, const ui::EventRecord& /*record*/) {
  OnCalculateClicked(frame.properties());
  return std::nullopt;
}

constexpr HandlerRoutine kProgramHandlers[] = {
    {ui::HandlerName::kOnCalculateClicked, &CalculateClicked},
};

}  // namespace

std::span<const HandlerRoutine> ProgramHandlers() { return kProgramHandlers; }

}  // namespace tamrel::app
