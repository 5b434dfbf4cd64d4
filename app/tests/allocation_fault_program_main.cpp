// The process start of tamrel-test-alloc-fault.exe: the frame of tamrel.exe
// with a heap that refuses exactly one request for text storage, the Nth of
// the process, and a log of what the test needs to see from inside: every
// request with its size, every run of the program's handler, the at-exit
// routine. Chosen on the test program's command line:
//   --fail-at N   the Nth request (counting from 1) finds the heap exhausted;
//                 0 or absent: none does
//   --log PATH    one line per event: "allocate SIZE", "refuse SIZE",
//                 "handler", "at-exit"
//   --log-results after each run of the handler, "result TEXT" with the text
//                 it left in the result box (read through the frame, which
//                 asks the heap for one more block)
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "app/process_start.h"
#include "app/program_handlers.h"
#include "app/program_main.h"
#include "app/text_heap.h"
#include "calc/main_window_ids.h"
#include "calc/text_store.h"

namespace {

using tamrel::app::AppFrame;
using tamrel::app::HandlerAnswer;
using tamrel::app::HandlerRoutine;

unsigned long fail_at = 0;
unsigned long requests = 0;
HANDLE log_file = INVALID_HANDLE_VALUE;
bool log_results = false;
tamrel::app::EventRoutine program_calculate = nullptr;

void Log(const char* line) {
  if (log_file == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD written = 0;
  WriteFile(log_file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

void LogSize(const char* what, std::size_t size) {
  char line[48];
  std::snprintf(line, sizeof(line), "%s %lu\n", what, static_cast<unsigned long>(size));
  Log(line);
}

void* AllocateOrRefuse(std::size_t size) {
  if (++requests == fail_at) {
    LogSize("refuse", size);
    return nullptr;
  }
  LogSize("allocate", size);
  return tamrel::app::ProcessHeap().allocate(size);
}

void LogAtExit() { Log("at-exit\n"); }

void LogResult(AppFrame& frame) {
  const tamrel::OwnedText result(frame.properties().ReadProperty(
      tamrel::kMainWindow, tamrel::kEditBox3, tamrel::kContentProperty, tamrel::kWholeProperty));
  const std::string line = std::string("result ") + (result.absent() ? "" : result.get()) + "\n";
  Log(line.c_str());
}

HandlerAnswer LoggedCalculate(AppFrame& frame, const tamrel::ui::EventRecord& record) {
  Log("handler\n");
  const HandlerAnswer answer = program_calculate(frame, record);
  if (log_results) {
    LogResult(frame);
  }
  return answer;
}

const HandlerRoutine kLoggedHandlers[] = {
    {tamrel::ui::HandlerName::kOnCalculateClicked, &LoggedCalculate},
};

void ReadArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) {
    return;
  }
  for (int i = 1; i < count; ++i) {
    const std::wstring name = arguments[i];
    if (name == L"--log-results") {
      log_results = true;
    } else if (name == L"--fail-at" && i + 1 < count) {
      fail_at = std::wcstoul(arguments[++i], nullptr, 10);
    } else if (name == L"--log" && i + 1 < count) {
      log_file = CreateFileW(arguments[++i], FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
  }
  LocalFree(arguments);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  tamrel::app::StartProcess();
  ReadArguments();
  for (const HandlerRoutine& handler : tamrel::app::ProgramHandlers()) {
    if (handler.name == tamrel::ui::HandlerName::kOnCalculateClicked) {
      program_calculate = handler.routine;
    }
  }
  tamrel::app::FrameSetup setup = tamrel::app::ShippedFrameSetup();
  setup.heap = tamrel::Heap{&AllocateOrRefuse, tamrel::app::ProcessHeap().release};
  setup.handlers = kLoggedHandlers;
  setup.at_exit_routine = &LogAtExit;
  return tamrel::app::RunProgram(setup);
}
