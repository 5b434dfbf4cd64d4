#include "app/program_main.h"

#include <windows.h>

#include "app/program_handlers.h"
#include "app/text_heap.h"
#include "calc/main_window_ids.h"

namespace tamrel::app {
namespace {

void EndProcessAtOnce(unsigned exit_status) { ExitProcess(exit_status); }

}  // namespace

void BeforeStartRoutine() {}

void AtExitRoutine() {}

int StartRoutine(AppFrame& frame) {
  frame.LoadWindow(kMainWindow, std::nullopt, true);
  return 0;
}

void ResetFloatingPointUnit() { asm volatile("fninit"); }

int ProgramMain(AppFrame& frame) {
  frame.InitializeFrame();
  ResetFloatingPointUnit();
  BeforeStartRoutine();
  frame.SetAtExitRoutine(frame.setup().at_exit_routine);
  StartRoutine(frame);
  frame.RunEventLoop();
  return 0;
}

FrameSetup ShippedFrameSetup() {
  return FrameSetup{
      .descriptions = &ui::ProgramWindowDescriptions,
      .handlers = ProgramHandlers(),
      .heap = ProcessHeap(),
      .at_exit_routine = &AtExitRoutine,
      .end_process = &EndProcessAtOnce,
  };
}

int RunProgram(const FrameSetup& setup) {
  AppFrame frame(setup);
  ProgramMain(frame);
  frame.EndProgram();
  return frame.exit_status();
}

}  // namespace tamrel::app
