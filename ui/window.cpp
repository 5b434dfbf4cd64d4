// The window kind: a fixed-size owned top-level window, centred on the
// screen, that creates its controls from the description and keeps the
// keyboard focus on one of them.
#include "ui/window.h"

#include <algorithm>
#include <array>
#include <ranges>
#include <utility>

#include "ui/colour.h"
#include "ui/gbk_text.h"
#include "ui/window_place.h"
#include "ui/window_state.h"

namespace tamrel::ui {
namespace {

constexpr wchar_t kWindowClass[] = L"TamrelWindow";
constexpr DWORD kWindowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = 0;
constexpr std::uint32_t kBackgroundColour = kSystemDefaultColour;
constexpr wchar_t kIconResource[] = L"DEFAULT_ICON";
constexpr ControlId kOwnRecord = 0;  // the source of the window's own events

// Indexed by ControlKind.
constexpr std::array<ControlCreator, 4> kCreators = {CreateLabel, CreateEditBox, CreateButton,
                                                     CreatePictureBox};

UniqueIcon LoadProgramIcon(int size) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), kIconResource, IMAGE_ICON, size, size, 0)));
}

Window::State* StateOf(HWND window) {
  return reinterpret_cast<Window::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT OnNcCreate(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state =
      static_cast<Window::State*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
  state->handle = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return DefWindowProcW(window, message, wparam, lparam);
}

// The platform's handling first (it focuses the window on activation), then
// any invalid part painted at once, then the events.
LRESULT OnActivate(Window::State& state, UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = DefWindowProcW(state.handle, message, wparam, lparam);
  UpdateWindow(state.handle);
  if (LOWORD(wparam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(state.handle, focus)) state.remembered_focus = focus;
    state.RaiseOwnEvent(kDeactivatedEvent);
    return result;
  }
  if (!state.activated_before) {
    state.activated_before = true;
    state.RaiseOwnEvent(kFirstActivationEvent);
  }
  state.RaiseOwnEvent(kActivatedEvent);
  return result;
}

// The window passes the focus on: to the control that had it when the window
// was last deactivated, else to the first of the Tab cycle.
LRESULT OnSetFocus(Window::State& state) {
  state.RaiseOwnEvent(kGotFocusEvent);
  const HWND remembered = std::exchange(state.remembered_focus, nullptr);
  if (remembered != nullptr && IsWindow(remembered) && IsChild(state.handle, remembered)) {
    SetFocus(remembered);
    return 0;
  }
  const std::vector<const Control*> cycle = TabCycle(state.controls);
  if (!cycle.empty()) SetFocus(cycle.front()->handle());
  return 0;
}

LRESULT OnKillFocus(Window::State& state) {
  state.RaiseOwnEvent(kLostFocusEvent);
  return 0;
}

// The platform limits a window to about the size of the screen; this one
// keeps its outer size even on a smaller screen, sticking out on both sides.
LRESULT OnGetMinMaxInfo(Window::State& state, LPARAM lparam) {
  POINT& largest = reinterpret_cast<MINMAXINFO*>(lparam)->ptMaxTrackSize;
  largest.x = std::max<LONG>(largest.x, state.description.width);
  largest.y = std::max<LONG>(largest.y, state.description.height);
  return 0;
}

LRESULT OnPaint(Window::State& state) {
  const PaintSession paint(state.handle);
  const UniqueBrush background(CreateSolidBrush(ResolveColour(kBackgroundColour)));
  FillRect(paint.dc(), &paint.area(), background.get());
  return 0;
}

// Notifications go back to the control that sent them.
LRESULT OnCommand(Window::State& state, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto sender = reinterpret_cast<HWND>(lparam);
  if (state.ControlOf(sender) == nullptr) {
    return DefWindowProcW(state.handle, message, wparam, lparam);
  }
  return SendMessageW(sender, kReflectedCommand, wparam, lparam);
}

LRESULT OnColourQuery(Window::State& state, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto sender = reinterpret_cast<HWND>(lparam);
  if (state.ControlOf(sender) != nullptr) {
    if (const LRESULT brush = SendMessageW(sender, kReflectedColourQuery, wparam, lparam)) {
      return brush;
    }
  }
  return DefWindowProcW(state.handle, message, wparam, lparam);
}

// An answer of 0 to the close request refuses the close.
bool CloseRefused(const Window::State& state) {
  const EventRecord record = state.RaiseOwnEvent(kCloseRequestEvent);
  return record.answered && record.answer == 0;
}

LRESULT OnClose(Window::State& state) {
  if (!CloseRefused(state)) DestroyWindow(state.handle);
  return 0;
}

LRESULT OnQueryEndSession(Window::State& state) { return CloseRefused(state) ? FALSE : TRUE; }

LRESULT OnDestroy(Window::State& state) {
  state.RaiseOwnEvent(kDestroyEvent);
  return 0;
}

LRESULT OnNcDestroy(Window::State& state, UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND window = std::exchange(state.handle, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
  if (state.destroyed_callback != nullptr) state.destroyed_callback(state.destroyed_context);
  return result;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return OnNcCreate(window, message, wparam, lparam);
  Window::State* state = StateOf(window);
  if (state == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_ACTIVATE:
      return OnActivate(*state, message, wparam, lparam);
    case WM_SETFOCUS:
      return OnSetFocus(*state);
    case WM_KILLFOCUS:
      return OnKillFocus(*state);
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(*state, lparam);
    case WM_PAINT:
      return OnPaint(*state);
    case WM_COMMAND:
      return OnCommand(*state, message, wparam, lparam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return OnColourQuery(*state, message, wparam, lparam);
    case WM_CLOSE:
      return OnClose(*state);
    case WM_QUERYENDSESSION:
      return OnQueryEndSession(*state);
    case WM_DESTROY:
      return OnDestroy(*state);
    case WM_NCDESTROY:
      return OnNcDestroy(*state, message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

bool CreateControls(Window::State& state) {
  const std::span<const ControlDescription> descriptions = state.description.controls;
  state.controls.resize(descriptions.size());
  for (std::size_t i = descriptions.size(); i-- > 0;) {
    const ControlCreator create = kCreators[static_cast<std::size_t>(descriptions[i].kind)];
    state.controls[i] = create(state.handle, descriptions[i], state.description.id);
    if (!state.controls[i]) return false;
  }
  return true;
}

// The first control of the description on top, each next one beneath it.
void StackControls(const Window::State& state) {
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  HWND above = HWND_TOP;
  for (const auto& control : state.controls) {
    SetWindowPos(control->handle(), above, 0, 0, 0, 0, kKeepPlace);
    above = control->handle();
  }
}

}  // namespace

const Control* Window::State::ControlOf(HWND control) const {
  if (control == nullptr) return nullptr;
  for (const auto& c : controls) {
    if (c && c->handle() == control) return c.get();
  }
  return nullptr;
}

EventRecord Window::State::RaiseOwnEvent(std::int32_t event) const {
  EventRecord record{.window = description.id, .control = kOwnRecord, .event = event};
  RaiseEvent(record);
  return record;
}

std::unique_ptr<Window> Window::Create(const WindowDescription& description, HWND owner) {
  if (!RegisterOwnClass(kWindowClass, WindowProcedure,
                        static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)))) {
    return nullptr;
  }

  std::unique_ptr<Window> window(new Window());
  window->state_ = std::make_unique<State>(description);
  State& state = *window->state_;
  const WindowPlace place =
      CentredPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), description.width,
                   description.height);
  if (CreateWindowExW(kWindowExStyle, kWindowClass, GbkToWide(description.title).c_str(),
                      kWindowStyle, place.left, place.top, description.width, description.height,
                      owner, nullptr, GetModuleHandleW(nullptr), &state) == nullptr) {
    return nullptr;
  }
  RECT outer{};
  GetWindowRect(state.handle, &outer);
  if (outer.right - outer.left != description.width ||
      outer.bottom - outer.top != description.height) {
    SetWindowPos(state.handle, nullptr, place.left, place.top, description.width,
                 description.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  state.large_icon = LoadProgramIcon(32);
  state.small_icon = LoadProgramIcon(16);
  SendMessageW(state.handle, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(state.large_icon.get()));
  SendMessageW(state.handle, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(state.small_icon.get()));
  SendMessageW(state.handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);

  if (!CreateControls(state)) return nullptr;  // the destructor takes the window down
  StackControls(state);
  return window;
}

Window::~Window() {
  if (!state_) return;
  state_->destroyed_callback = nullptr;
  if (state_->handle != nullptr) DestroyWindow(state_->handle);
}

void Window::Show() {
  for (const auto& control : state_->controls | std::views::reverse) {
    if (control->description().visible) ShowWindow(control->handle(), SW_SHOWNA);
  }
  ShowWindow(state_->handle, SW_SHOW);
}

HWND Window::handle() const { return state_->handle; }

bool Window::exists() const { return state_->handle != nullptr; }

const WindowDescription& Window::description() const { return state_->description; }

HWND Window::FindControl(ControlId id) const {
  for (const auto& control : state_->controls) {
    if (control->description().id == id) return control->handle();
  }
  return nullptr;
}

void Window::SetDestroyedCallback(void (*callback)(void* context), void* context) {
  state_->destroyed_callback = callback;
  state_->destroyed_context = context;
}

}  // namespace tamrel::ui
