#include "app/frame.h"

namespace tamrel::app {
namespace {

// The platform timer that blinks the caret.
constexpr UINT kCaretBlinkTimer = 0x0118;

// No idle work is registered: the first step finds nothing to do.
bool IdleStep(long /*count*/) { return false; }

// Messages that say nothing new about the user's activity.
class ActivityFilter {
 public:
  bool IsNewActivity(const MSG& message) {
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
      const bool same_place =
          has_last_move_ && message.pt.x == last_move_.x && message.pt.y == last_move_.y;
      last_move_ = message.pt;
      has_last_move_ = true;
      return !same_place;
    }
    return message.message != WM_PAINT && message.message != kCaretBlinkTimer;
  }

 private:
  POINT last_move_{};
  bool has_last_move_ = false;
};

bool PeekHead(MSG& message) { return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != 0; }

}  // namespace

void AppFrame::RunEventLoop() {
  event_loop_entered_ = true;
  if (!AnyWindowOpen()) {
    return;
  }
  RunLoop(LoopMode::kMain);
}

void AppFrame::RunLoop(LoopMode mode) {
  const bool modal = mode == LoopMode::kModal;
  ActivityFilter activity;
  MSG message;
  bool idle = true;
  long idle_count = 0;
  for (;;) {
    while (idle && !PeekHead(message)) {
      if (!IdleStep(idle_count++)) {
        idle = false;
      }
      if (modal && !modal_window_.has_value()) {
        return;
      }
    }
    do {
      if (!(modal ? TakeModalMessage(message) : TakeMainMessage(message))) {
        return;
      }
      DispatchOne(message);
      if (modal && !modal_window_.has_value()) {
        return;
      }
      if (activity.IsNewActivity(message)) {
        idle = true;
        idle_count = 0;
      }
    } while (PeekHead(message));
  }
}

bool AppFrame::TakeModalMessage(MSG& message) {
  // Look before taking, so that a quit request stays queued for the main
  // loop.
  for (;;) {
    // A message sent from elsewhere can close the window while we wait.
    if (!modal_window_.has_value()) {
      return false;
    }
    if (!PeekHead(message)) {
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) {
      return false;
    }
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      break;
    }
  }
  if (message.message == WM_QUIT) {  // arrived between the look and the take
    PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, message.wParam, message.lParam);
    return false;
  }
  return true;
}

bool AppFrame::TakeMainMessage(MSG& message) {
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0) {
    exit_status_ = static_cast<int>(message.wParam);  // the quit request is consumed
  }
  return got > 0;
}

void AppFrame::DrainQueue() {
  MSG message;
  while (PeekHead(message) && message.message != WM_QUIT) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      return;
    }
    if (message.message == WM_QUIT) {
      PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, message.wParam, message.lParam);
      return;
    }
    DispatchOne(message);
  }
}

void AppFrame::DispatchOne(MSG& message) {
  for (LoadedDescription& entry : descriptions_) {
    if (!entry.open) {
      continue;
    }
    const HWND window = entry.window->handle();
    if (message.hwnd == window || IsChild(window, message.hwnd)) {
      if (entry.window->PreTranslateMessage(message)) {
        return;
      }
      break;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace tamrel::app
