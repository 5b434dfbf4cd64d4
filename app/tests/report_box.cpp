#include "app/tests/report_box.h"

#include "app/frame_messages.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

std::wstring WindowTextOf(HWND window) {
  // WM_GETTEXT works across processes, GetWindowText does not for every case.
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct BoxSearch {
  DWORD process_id;
  HWND found = nullptr;
};

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM context) {
  BoxSearch& search = *reinterpret_cast<BoxSearch*>(context);
  DWORD owner_process = 0;
  GetWindowThreadProcessId(window, &owner_process);
  if (owner_process == search.process_id && ClassOf(window) == L"#32770" &&
      IsWindowVisible(window) && ReadCaption(window) == kReportCaption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

struct StaticSearch {
  std::wstring longest;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM context) {
  StaticSearch& search = *reinterpret_cast<StaticSearch*>(context);
  if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0) {
    std::wstring text = WindowTextOf(child);
    if (text.size() > search.longest.size()) {
      search.longest = std::move(text);
    }
  }
  return TRUE;
}

}  // namespace

std::string WideToGbkBytes(const std::wstring& wide) {
  if (wide.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::string ReadCaption(HWND window) { return WideToGbkBytes(WindowTextOf(window)); }

HWND FindReportBox(DWORD process_id) {
  BoxSearch search{process_id};
  EnumWindows(&CheckTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForReportBox(DWORD process_id, DWORD timeout_ms) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindReportBox(process_id)) != nullptr; }, timeout_ms);
  return box;
}

std::string ReadReportText(HWND box) {
  // The icon is a static too, without text; the message is the one with text.
  StaticSearch search;
  EnumChildWindows(box, &CheckChild, reinterpret_cast<LPARAM>(&search));
  return WideToGbkBytes(search.longest);
}

void CloseReportBox(HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

std::string ExpectedReportText(const std::string& message) {
  // 运行时出错! CR LF CR LF
  std::string text = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
  if (!message.empty()) {
    text += "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：
    text += message;
    text += "\r\n";
  }
  return text;
}

std::string ExpectedAllocationMessage(const std::string& size) {
  return "\xB7\xD6\xC5\xE4 " + size + " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";
}

}  // namespace tamrel::app::testing
