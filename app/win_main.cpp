// The process start of tamrel.exe. The command line is not looked at.
#include <windows.h>

#include "app/dll_search.h"
#include "app/program_main.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  // Before the program loads any DLL at run time, and before the frame makes
  // the program's folder the current directory.
  tamrel::app::RestrictDllSearch();
  // No critical-error or missing-file box on the program's behalf.
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  return tamrel::app::RunProgram(tamrel::app::ShippedFrameSetup());
}
