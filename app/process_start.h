// What tamrel.exe does first, before the frame, and the test-only programs
// built like it do the same.
#pragma once

namespace tamrel::app {

// The DLL search restricted to the system's folders, before the program
// loads any DLL at run time and before the frame makes the program's
// folder the current directory; and no critical-error or missing-file box
// on the program's behalf.
void StartProcess();

}  // namespace tamrel::app
