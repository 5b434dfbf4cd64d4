// The process start of tamrel.exe. The command line is not looked at.
#include <windows.h>

#include "app/process_start.h"
#include "app/program_main.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  tamrel::app::StartProcess();
  return tamrel::app::RunProgram(tamrel::app::ShippedFrameSetup());
}
