// Finding and reading the error report's message box, in this process or in
// another one, the way a user sees it.
#pragma once

#include <windows.h>

#include <string>

namespace tamrel::app::testing {

// The top-level message box of `process_id` whose caption is "错误", or
// nullptr.
HWND FindReportBox(DWORD process_id);
HWND WaitForReportBox(DWORD process_id, DWORD timeout_ms);

// The box's message text converted back to GBK bytes, as the program wrote it.
std::string ReadReportText(HWND box);
std::string ReadCaption(HWND window);

// Presses the box's OK button.
void CloseReportBox(HWND box);

// What the box must show, written out here byte by byte rather than taken
// from the code under test.
inline constexpr char kExpectedReportCaption[] = "\xB4\xED\xCE\xF3";  // 错误
// "运行时出错!" CR LF CR LF, then "错误信息：" MESSAGE CR LF unless the
// message is empty.
std::string ExpectedReportText(const std::string& message);
// "分配 SIZE 字节内存失败!" with the size spelt `size`.
std::string ExpectedAllocationMessage(const std::string& size);

// The GBK form of a window text: what the program's own GBK text became.
std::string WideToGbkBytes(const std::wstring& wide);

}  // namespace tamrel::app::testing
