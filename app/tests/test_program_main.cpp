// The process start of the test-only programs: the frame of tamrel.exe with
// a heap that refuses one size of request and an at-exit routine that leaves
// a marker file, both chosen on the command line of the test program.
//   --fail-size N        every request of N bytes finds the heap exhausted
//   --fail-objects-from N   every C++ object of N bytes or more finds the
//                           heap behind operator new exhausted
//   --at-exit-marker P   the at-exit routine writes the file P
//   --on-click outgrow   the click of the button asks a container for more
//                        than any size instead of calculating
//   --on-click overrun   the click writes past the end of a buffer on the
//                        stack instead
//   --stack-guard-to P   the program writes its stack canary into the file P
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/object_heap.h"
#include "app/process_start.h"
#include "app/program_main.h"
#include "app/text_heap.h"

// The canary that the compiler's stack checks compare with.
extern "C" std::uintptr_t __stack_chk_guard;

namespace {

std::size_t refused_size = static_cast<std::size_t>(-1);
std::size_t refused_objects_from = static_cast<std::size_t>(-1);
std::wstring at_exit_marker;
std::wstring on_click;
std::wstring stack_guard_file;
int overrun_length = 64;  // four times the buffer; not known to the compiler

// Where a container's growth fails inside a window procedure: the standard
// library's hook for it, which the shipped program answers itself.
tamrel::app::HandlerAnswer OutgrowContainer(tamrel::app::AppFrame& /*frame*/,
                                            const tamrel::ui::EventRecord& /*record*/) {
  std::vector<char> bytes;
  bytes.reserve(bytes.max_size() + 1);
  return std::nullopt;
}

[[gnu::noinline]] void Fill(char* bytes, int length) { std::memset(bytes, 'x', length); }

// A fault that overwrites the stack, as a buffer overrun would.
tamrel::app::HandlerAnswer OverrunStack(tamrel::app::AppFrame& /*frame*/,
                                        const tamrel::ui::EventRecord& /*record*/) {
  char buffer[16];
  Fill(buffer, overrun_length);
  OutputDebugStringA(buffer);
  return std::nullopt;
}

constexpr tamrel::app::HandlerRoutine kOutgrowingHandlers[] = {
    {tamrel::ui::HandlerName::kOnCalculateClicked, &OutgrowContainer},
};
constexpr tamrel::app::HandlerRoutine kOverrunningHandlers[] = {
    {tamrel::ui::HandlerName::kOnCalculateClicked, &OverrunStack},
};

void* RefusingAllocate(std::size_t size) {
  return size == refused_size ? nullptr : tamrel::app::ProcessHeap().allocate(size);
}

void* RefusingLargeObjects(std::size_t size) {
  return size >= refused_objects_from ? nullptr : tamrel::app::ProcessHeap().allocate(size);
}

// Creates the file `path` (replacing one that is there) holding `bytes`.
void WriteWholeFile(const std::wstring& path, const void* bytes, DWORD size) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes, size, &written, nullptr);
    CloseHandle(file);
  }
}

void WriteAtExitMarker() {
  if (!at_exit_marker.empty()) {
    WriteWholeFile(at_exit_marker, "at-exit", 7);
  }
}

void ReadArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) {
    return;
  }
  for (int i = 1; i + 1 < count; i += 2) {
    const std::wstring name = arguments[i];
    if (name == L"--fail-size") {
      refused_size = std::wcstoul(arguments[i + 1], nullptr, 10);
    } else if (name == L"--fail-objects-from") {
      refused_objects_from = std::wcstoul(arguments[i + 1], nullptr, 10);
    } else if (name == L"--at-exit-marker") {
      at_exit_marker = arguments[i + 1];
    } else if (name == L"--on-click") {
      on_click = arguments[i + 1];
    } else if (name == L"--stack-guard-to") {
      stack_guard_file = arguments[i + 1];
    }
  }
  LocalFree(arguments);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  tamrel::app::StartProcess();
  ReadArguments();
  tamrel::app::ObjectHeap() =
      tamrel::Heap{&RefusingLargeObjects, tamrel::app::ProcessHeap().release};
  tamrel::app::FrameSetup setup = tamrel::app::ShippedFrameSetup();
  setup.heap = tamrel::Heap{&RefusingAllocate, tamrel::app::ProcessHeap().release};
  setup.at_exit_routine = &WriteAtExitMarker;
  if (on_click == L"outgrow") {
    setup.handlers = kOutgrowingHandlers;
  } else if (on_click == L"overrun") {
    setup.handlers = kOverrunningHandlers;
  }
  if (!stack_guard_file.empty()) {
    WriteWholeFile(stack_guard_file, &__stack_chk_guard, sizeof(__stack_chk_guard));
  }
  return tamrel::app::RunProgram(setup);
}
