#include "ui/tests/window_fixture.h"

#include <algorithm>
#include <cstring>

#include "calc/main_window_ids.h"
#include "ui/gdi_handles.h"
#include "ui/window_description.h"

namespace tamrel::ui::testing {
namespace {

bool IsInputEvent(std::int32_t event) {
  return (event <= kLeftButtonDownEvent && event >= kMouseMoveEvent) ||
         (event <= kKeyDownEvent && event >= kWheelEvent);
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT CharacterInput(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = static_cast<WORD>(character);
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  return input;
}

bool Send(std::vector<INPUT> inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

void MarkDestroyed(void* context) { *static_cast<bool*>(context) = true; }

}  // namespace

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

bool RecordingDispatch::RaiseEvent(EventRecord& record) {
  if (record.event == kCloseRequestEvent && record.control == 0 && close_answer) {
    record.answered = true;
    record.answer = *close_answer;
  }
  records_.push_back(record);
  return record.answered;
}

std::vector<std::int32_t> RecordingDispatch::EventsOf(ControlId control) const {
  std::vector<std::int32_t> events;
  for (const EventRecord& record : records_) {
    if (record.control == control && !IsInputEvent(record.event)) events.push_back(record.event);
  }
  return events;
}

std::vector<std::int32_t> RecordingDispatch::InputEventsOf(ControlId control) const {
  std::vector<std::int32_t> events;
  for (const EventRecord& record : records_) {
    if (record.control == control && IsInputEvent(record.event)) events.push_back(record.event);
  }
  return events;
}

void WindowTest::SetUp() {
  ConnectControlKinds(&dispatch_);
  owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner_, nullptr);
  window_ = Window::Create(ProgramWindowDescriptions()[0], owner_);
  ASSERT_NE(window_, nullptr);
  window_->SetDestroyedCallback(MarkDestroyed, &destroyed_);
  window_->Show();
  ASSERT_TRUE(BringToFront());
  ASSERT_TRUE(WaitFor([&] { return GetFocus() == Control(kEditBox1); }));
}

void WindowTest::TearDown() {
  window_.reset();
  if (owner_ != nullptr) DestroyWindow(owner_);
  Pump();
  ConnectControlKinds(nullptr);
}

void WindowTest::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) {
      ++key_ups_[message.wParam & 0xFF];
    }
    if (message.message == WM_LBUTTONUP || message.message == WM_NCLBUTTONUP) {
      ++left_button_ups_;
      last_button_up_ = message.pt;
    }
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
      last_mouse_move_ = message.pt;
    }
    if (window_ && window_->PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool WindowTest::PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, true));
  std::array<int, 256> before = key_ups_;
  if (!Send(inputs)) return false;
  return WaitFor([&] {
    if (key_ups_[key] == before[key]) return false;
    return std::ranges::all_of(modifiers, [&](WORD m) {
      // The thread sees the generic VK_SHIFT and friends for either side.
      return key_ups_[m] != before[m];
    });
  });
}

bool WindowTest::Type(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t character : text) {
    inputs.push_back(CharacterInput(character, false));
    inputs.push_back(CharacterInput(character, true));
  }
  const int before = key_ups_[VK_PACKET];
  if (!Send(inputs)) return false;
  const int expected = before + static_cast<int>(text.size());
  return WaitFor([&] { return key_ups_[VK_PACKET] >= expected; });
}

bool WindowTest::ClickAt(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // Rounded up, so that the platform's scaling back lands on the pixel.
  const LONG dx = (screen.x * 65536 + width - 1) / width;
  const LONG dy = (screen.y * 65536 + height - 1) / height;
  const auto at_target = [&](POINT p) { return p.x == screen.x && p.y == screen.y; };
  POINT cursor{};
  GetCursorPos(&cursor);
  // The button must not go out before the move has reached the windows. A
  // late report of the old pointer place can undo a move, so the pointer
  // must also stay there a moment; otherwise the move is sent again.
  for (int attempt = 0; !at_target(cursor) || !at_target(last_mouse_move_); ++attempt) {
    if (attempt == 10 || !Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy)})) {
      return false;
    }
    WaitFor([&] { return at_target(last_mouse_move_); }, 500);
    WaitFor([] { return false; }, 50);
    GetCursorPos(&cursor);
  }
  // The press and the release carry the place too, in case such a late
  // report moves the pointer once more in between.
  constexpr DWORD kHere = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  const int before = left_button_ups_;
  if (!Send({MouseInput(kHere | MOUSEEVENTF_LEFTDOWN, dx, dy),
             MouseInput(kHere | MOUSEEVENTF_LEFTUP, dx, dy)})) {
    return false;
  }
  return WaitFor([&] { return left_button_ups_ > before && at_target(last_button_up_); });
}

bool WindowTest::ClickInControl(HWND control, POINT client) {
  ClientToScreen(control, &client);
  return ClickAt(client);
}

void WindowTest::Paste(HWND box, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner_));
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  CloseClipboard();
  ASSERT_EQ(GetFocus(), box);
  ASSERT_TRUE(PressKey('V', {VK_CONTROL}));
}

bool WindowTest::FocusControl(HWND control) {
  SetFocus(control);
  return WaitFor([&] { return GetFocus() == control; });
}

bool WindowTest::BringToFront() {
  SetForegroundWindow(window_->handle());
  if (!WaitFor([&] { return GetForegroundWindow() == window_->handle(); })) return false;
  UpdateWindow(window_->handle());
  RedrawWindow(window_->handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  return true;
}

ScreenPixels WindowTest::ReadScreen(const RECT& screen) {
  ScreenPixels result;
  result.width = screen.right - screen.left;
  result.height = screen.bottom - screen.top;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = result.width;
  format.bmiHeader.biHeight = -result.height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const WindowDc screen_dc(nullptr);
  const UniqueMemoryDc memory_dc(CreateCompatibleDC(screen_dc.get()));
  const UniqueBitmap bitmap(
      CreateDIBSection(memory_dc.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    const SelectedObject selected(memory_dc.get(), bitmap.get());
    BitBlt(memory_dc.get(), 0, 0, result.width, result.height, screen_dc.get(), screen.left,
           screen.top, SRCCOPY);
    GdiFlush();
  }
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  result.pixels.assign(pixels, pixels + result.width * result.height);
  for (std::uint32_t& pixel : result.pixels) pixel &= 0xFFFFFF;
  return result;
}

ScreenPixels WindowTest::ReadWindowPixels(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return ReadScreen(rect);
}

}  // namespace tamrel::ui::testing
