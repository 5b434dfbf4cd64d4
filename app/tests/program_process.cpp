#include "app/tests/program_process.h"

#include <winternl.h>

#include <algorithm>

#include "app/tests/report_box.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

struct WindowSearch {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && IsWindowVisible(window)) {
    search.found.push_back(window);
  }
  return TRUE;
}

struct ChildSearch {
  const wchar_t* window_class;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
  ChildSearch& search = *reinterpret_cast<ChildSearch*>(context);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (_wcsicmp(name, search.window_class) == 0) {
    search.found.push_back(child);
  }
  return TRUE;
}

INPUT KeyInput(WORD key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  return input;
}

WORD KeyOf(char character) {
  switch (character) {
    case '.':
      return VK_OEM_PERIOD;
    case '-':
      return VK_OEM_MINUS;
    default:
      return static_cast<WORD>(character);  // digits share their key codes
  }
}

}  // namespace

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\'));
}

ProgramProcess::ProgramProcess(const std::wstring& file_name, const std::wstring& arguments,
                               const std::wstring& current_directory)
    : path_(TestProgramFolder() + L"\\" + file_name) {
  std::wstring command_line = L"\"" + path_ + L"\"";
  if (!arguments.empty()) {
    command_line += L" " + arguments;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  start_tick_ = GetTickCount64();
  if (!CreateProcessW(path_.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current_directory.empty() ? nullptr : current_directory.c_str(), &startup,
                      &info_)) {
    info_ = {};
  }
}

ProgramProcess::~ProgramProcess() {
  if (!started()) {
    return;
  }
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

HWND ProgramProcess::FindMainWindow() const {
  for (HWND window : VisibleTopLevelWindowsOf(id())) {
    if (TextOf(window) == kMainWindowTitle) {
      return window;
    }
  }
  return nullptr;
}

HWND ProgramProcess::WaitForMainWindow(DWORD timeout_ms) const {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindMainWindow()) != nullptr; }, timeout_ms);
  return window;
}

std::optional<DWORD> ProgramProcess::WaitForExit(DWORD timeout_ms) const {
  if (!started() || WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD status = 0;
  GetExitCodeProcess(info_.hProcess, &status);
  return status;
}

HWND ProgramProcess::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(thread_id(), &info);
  return info.hwndFocus;
}

bool ProgramProcess::ReadyForInput(HWND window) const {
  return BringToFront(window) && WaitForInputIdle(handle(), 5000) == 0 &&
         WaitUntil([&] { return FocusedWindow() != nullptr; }, 5000);
}

std::optional<MainWindowControls> ControlsOf(HWND window) {
  MainWindowControls controls{window, ChildrenOfClass(window, L"Edit"), nullptr};
  const std::vector<HWND> buttons = ChildrenOfClass(window, L"Button");
  if (controls.boxes.size() != 3 || buttons.size() != 1) {
    return std::nullopt;
  }
  controls.button = buttons[0];
  return controls;
}

std::optional<MainWindowControls> WaitUntilReadyForInput(const ProgramProcess& program,
                                                         DWORD timeout_ms) {
  const HWND window = program.WaitForMainWindow(timeout_ms);
  if (window == nullptr) {
    return std::nullopt;
  }
  std::optional<MainWindowControls> controls = ControlsOf(window);
  if (!controls || !program.ReadyForInput(window)) {
    return std::nullopt;
  }
  return controls;
}

std::vector<HWND> VisibleTopLevelWindowsOf(DWORD process_id) {
  WindowSearch search{process_id, {}};
  EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring CurrentDirectoryOf(HANDLE process) {
  // 32-bit layouts: PEB.ProcessParameters at 0x10, and in the parameters
  // CurrentDirectory.DosPath, a UNICODE_STRING, at 0x24.
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) !=
      0) {
    return {};
  }
  const auto read = [process](std::uintptr_t address, void* out, std::size_t size) {
    SIZE_T done = 0;
    return ReadProcessMemory(process, reinterpret_cast<const void*>(address), out, size, &done) &&
           done == size;
  };
  std::uint32_t parameters = 0;
  if (!read(reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress) + 0x10, &parameters,
            sizeof(parameters))) {
    return {};
  }
  struct {
    std::uint16_t length;
    std::uint16_t maximum_length;
    std::uint32_t buffer;
  } dos_path{};
  if (!read(parameters + 0x24, &dos_path, sizeof(dos_path))) {
    return {};
  }
  std::wstring directory(dos_path.length / sizeof(wchar_t), L'\0');
  if (!read(dos_path.buffer, directory.data(), dos_path.length)) {
    return {};
  }
  return directory;
}

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &copied);
  return WideToGbkBytes(text);
}

std::vector<HWND> ChildrenOfClass(HWND window, const wchar_t* window_class) {
  ChildSearch search{window_class, {}};
  EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&search));
  std::ranges::sort(search.found, [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return search.found;
}

bool BringToFront(HWND window) {
  return WaitUntil(
      [window] {
        if (GetForegroundWindow() == window) {
          return true;
        }
        SetForegroundWindow(window);
        return false;
      },
      5000);
}

void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD key : chord) {
    inputs.push_back(KeyInput(key, false));
  }
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(KeyInput(*key, true));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeAscii(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    PressKeys({KeyOf(*c)});
  }
}

INPUT MouseInputAt(POINT point, DWORD flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Rounded up, so that scaling back down to pixels lands on the point.
  input.mi.dx = static_cast<LONG>((point.x * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((point.y * 65536 + height - 1) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

bool MoveCursorTo(POINT point) {
  INPUT move = MouseInputAt(point, 0);
  SendInput(1, &move, sizeof(INPUT));
  return WaitUntil(
      [&] {
        POINT at;
        GetCursorPos(&at);
        return at.x == point.x && at.y == point.y;
      },
      3000);
}

namespace {

bool SendButton(POINT point, DWORD flag, bool down) {
  INPUT press = MouseInputAt(point, flag);
  SendInput(1, &press, sizeof(INPUT));
  return WaitUntil([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; }, 3000);
}

}  // namespace

bool ClickAt(POINT point) {
  // Arrive from beside the point, so that the target sees the pointer come
  // in even when the cursor was already there; a press sent right after the
  // move can land where the cursor was, so each step waits for the last.
  // The press and the release carry the point as well: now and then a late
  // report of an old pointer place moves Wine's cursor away again after the
  // move has arrived, and a bare press would land there.
  return MoveCursorTo({point.x - 2, point.y}) && MoveCursorTo(point) &&
         SendButton(point, MOUSEEVENTF_LEFTDOWN, true) &&
         SendButton(point, MOUSEEVENTF_LEFTUP, false);
}

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::optional<POINT> CloseBoxOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  RECT client;
  GetClientRect(window, &client);
  POINT client_origin{0, 0};
  ClientToScreen(window, &client_origin);
  const int y = (rect.top + client_origin.y) / 2;  // the middle of the title bar
  for (int x = rect.right - 1; x > rect.left; --x) {
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
    if (hit == HTCLOSE) {
      // Aim a little inside the button rather than at its edge.
      int left = x;
      while (left > rect.left) {
        SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y), SMTO_ABORTIFHUNG,
                            2000, &hit);
        if (hit != HTCLOSE) {
          break;
        }
        --left;
      }
      return POINT{(left + x) / 2, y};
    }
  }
  return std::nullopt;
}

}  // namespace tamrel::app::testing
