// Driving a program of the build from outside, as a user or an automation
// tool would: start it, find its window, type and click, read what it shows,
// and see how it ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tamrel::app::testing {

inline constexpr char kMainWindowTitle[] = "Tamrel V1.0";

class ProgramProcess {
 public:
  // `file_name` is a program in the folder of the running test program.
  ProgramProcess(const std::wstring& file_name, const std::wstring& arguments = L"",
                 const std::wstring& current_directory = L"");
  ~ProgramProcess();  // ends a program that the test left running
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD id() const { return info_.dwProcessId; }
  DWORD thread_id() const { return info_.dwThreadId; }
  HANDLE handle() const { return info_.hProcess; }
  const std::wstring& path() const { return path_; }
  ULONGLONG start_tick() const { return start_tick_; }

  // The visible top-level window titled "Tamrel V1.0" of this process.
  HWND FindMainWindow() const;
  HWND WaitForMainWindow(DWORD timeout_ms) const;
  std::optional<DWORD> WaitForExit(DWORD timeout_ms) const;
  // Brings the window to the front and waits until the program waits for
  // input with the keyboard focus placed: input sent earlier can be lost
  // while the window is still being activated.
  bool ReadyForInput(HWND window) const;
  HWND FocusedWindow() const;

 private:
  std::wstring path_;
  PROCESS_INFORMATION info_{};
  ULONGLONG start_tick_ = 0;
};

std::wstring TestProgramFolder();
std::vector<HWND> VisibleTopLevelWindowsOf(DWORD process_id);

// The current directory of another process, read from its process block.
std::wstring CurrentDirectoryOf(HANDLE process);

// Window texts as the program's GBK bytes.
std::string TextOf(HWND window);

// The controls of the main window by class, ordered from left to right.
std::vector<HWND> ChildrenOfClass(HWND window, const wchar_t* window_class);

// The main window's edit boxes (R1, R2, Vout, from left to right) and its
// button; nothing unless the window holds exactly those.
struct MainWindowControls {
  HWND window = nullptr;
  std::vector<HWND> boxes;
  HWND button = nullptr;
};
std::optional<MainWindowControls> ControlsOf(HWND window);
// The program's main window with its controls, once it takes input;
// nothing when any of that fails to come within the time.
std::optional<MainWindowControls> WaitUntilReadyForInput(const ProgramProcess& program,
                                                         DWORD timeout_ms);

// Real input through the system's input queue.
bool BringToFront(HWND window);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released in reverse
void TypeAscii(const char* text);                   // digits, ".", "-"
bool ClickAt(POINT screen_point);
bool MoveCursorTo(POINT screen_point);  // and waits until the cursor is there
// One mouse input at an absolute screen point: `flags` (a button's press or
// release, or 0 for a plain move) together with the move there.
INPUT MouseInputAt(POINT screen_point, DWORD flags);
POINT CentreOf(HWND window);
// A point of the title bar where the window answers HTCLOSE, if any.
std::optional<POINT> CloseBoxOf(HWND window);

}  // namespace tamrel::app::testing
