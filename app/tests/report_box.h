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

// The GBK form of a window text: what the program's own GBK text became.
std::string WideToGbkBytes(const std::wstring& wide);

}  // namespace tamrel::app::testing
