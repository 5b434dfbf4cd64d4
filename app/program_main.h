// The program's own code that the frame runs, in its fixed order.
#pragma once

#include "app/frame.h"

namespace tamrel::app {

void BeforeStartRoutine();
void AtExitRoutine();
int StartRoutine(AppFrame& frame);
int ProgramMain(AppFrame& frame);

// The x87 unit as FNINIT leaves it: control word 0x037F, status cleared,
// register stack empty.
void ResetFloatingPointUnit();

// What tamrel.exe runs on: its window description, its handlers, the
// process heap, the empty at-exit routine and ExitProcess.
FrameSetup ShippedFrameSetup();

// The whole life of the program after process start: ProgramMain, then the
// end-of-program sequence. Returns the process's exit status.
int RunProgram(const FrameSetup& setup);

}  // namespace tamrel::app
