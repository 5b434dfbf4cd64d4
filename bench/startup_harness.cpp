// Starts Windows programs one after another, alternating between them, and
// measures for each start the time from process creation until the
// process's window is visible and the process waits for input, and the
// process's peak working set once it is up; then closes the window.
//   tamrel-bench-startup RUNS PROGRAM...   (programs in this program's folder)
// Prints one line per program:
//   PROGRAM startup_median_ms=M peak_working_set_median_bytes=B runs=N
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

struct Sample {
  double startup_ms;
  SIZE_T peak_working_set;
};

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

double Now() {
  static const double ticks_per_ms = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

struct WindowSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindowOf(DWORD process_id) {
  WindowSearch search{process_id, nullptr};
  EnumWindows(&TakeVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class StartedProcess {
 public:
  explicit StartedProcess(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command_line = L"\"" + path + L"\"";
    started_ = CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &info_) != 0;
  }
  ~StartedProcess() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;

  bool started() const { return started_; }
  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// One start; false when the program did not come up.
bool MeasureOneStart(const std::wstring& path, Sample& sample) {
  const double created = Now();
  StartedProcess process(path);
  if (!process.started()) return false;
  if (WaitForInputIdle(process.handle(), kStartTimeoutMs) != 0) return false;
  HWND window = nullptr;
  while ((window = VisibleWindowOf(process.id())) == nullptr) {
    if (Now() - created > kStartTimeoutMs) return false;
    Sleep(1);
  }
  sample.startup_ms = Now() - created;

  // The footprint once the window is up and has painted.
  WaitForInputIdle(process.handle(), kStartTimeoutMs);
  Sleep(200);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process.handle(), &counters, sizeof counters)) return false;
  sample.peak_working_set = counters.PeakWorkingSetSize;

  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.handle(), kExitTimeoutMs);
  return true;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tamrel-bench-startup RUNS PROGRAM...\n");
    return 2;
  }
  const int runs = std::wcstol(argv[1], nullptr, 10);
  const std::wstring folder = ProgramFolder();
  std::vector<std::vector<Sample>> samples(static_cast<std::size_t>(argc - 2));
  // Alternating, so that a slow spell of the machine falls on both alike.
  for (int run = 0; run < runs; ++run) {
    for (int program = 2; program < argc; ++program) {
      Sample sample{};
      if (!MeasureOneStart(folder + argv[program], sample)) {
        std::fprintf(stderr, "%ls did not come up\n", argv[program]);
        return 1;
      }
      samples[static_cast<std::size_t>(program - 2)].push_back(sample);
    }
  }
  for (int program = 2; program < argc; ++program) {
    const std::vector<Sample>& taken = samples[static_cast<std::size_t>(program - 2)];
    std::vector<double> startup;
    std::vector<SIZE_T> peak;
    for (const Sample& sample : taken) {
      startup.push_back(sample.startup_ms);
      peak.push_back(sample.peak_working_set);
    }
    std::printf("%ls startup_median_ms=%.2f peak_working_set_median_bytes=%lu runs=%d\n",
                argv[program], Median(startup), static_cast<unsigned long>(Median(peak)), runs);
  }
  return 0;
}
