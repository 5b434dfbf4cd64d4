#include "app/frame.h"

namespace tamrel::app {

bool AppFrame::LoadWindow(WindowId window, std::optional<WindowId> owner, bool modal) {
  HWND owner_handle = nullptr;
  if (owner.has_value()) {
    const ui::Window* owner_window = FindOpenWindow(*owner);
    if (owner_window == nullptr) {
      return false;
    }
    owner_handle = owner_window->handle();
  }
  LoadedDescription* entry = FindDescription(window);
  if (entry == nullptr) {
    return false;
  }
  if (entry->open) {
    const HWND handle = entry->window->handle();
    if (IsIconic(handle)) {
      ShowWindow(handle, SW_RESTORE);
    } else {
      SetActiveWindow(handle);
    }
    return true;
  }
  if (modal) {
    owner_handle = hidden_window_.handle();
  }
  entry->window.reset();  // what is left of an earlier load

  // Messages that were waiting go out before creation and again before the
  // count drops, so none of them is mistaken for an event of the new window.
  DrainQueue();
  ++suppression_count_;
  entry->window = ui::Window::Create(*entry->description, owner_handle);
  if (entry->window != nullptr) {
    entry->open = true;
    entry->window->SetDestroyedCallback(&AppFrame::OnWindowDestroyed, entry);
  }
  DrainQueue();
  --suppression_count_;
  if (entry->window == nullptr) {
    return false;
  }

  for (const std::int32_t event :
       {ui::kWindowLoadedEvent, ui::kWindowLoadedEvent3, ui::kWindowLoadedEvent4}) {
    if (!entry->open) {
      break;
    }
    RaiseWindowEvent(*entry, event);
  }
  if (!entry->open) {
    return true;
  }
  if (entry->description->visible) {
    entry->window->Show();
  }
  if (modal) {
    entry->modal = true;
    DisableOtherWindows(*entry);
  }
  entry->just_loaded = true;
  if (entry->description->visible && entry->just_loaded) {
    entry->just_loaded = false;
    if (modal) {
      const std::optional<WindowId> previous_modal = modal_window_;
      modal_window_ = window;
      RunLoop(LoopMode::kModal);
      modal_window_ = previous_modal;
    }
  }
  return true;
}

void AppFrame::RaiseWindowEvent(const LoadedDescription& entry, std::int32_t event) {
  ui::EventRecord record;
  record.window = entry.description->id;
  record.control = 0;
  record.event = event;
  RaiseEvent(record);
}

void AppFrame::DisableOtherWindows(LoadedDescription& modal) {
  for (LoadedDescription& other : descriptions_) {
    if (&other == &modal || !other.open) {
      continue;
    }
    const HWND handle = other.window->handle();
    if (IsWindowEnabled(handle)) {
      EnableWindow(handle, FALSE);
      modal.disabled_while_modal.push_back(handle);
    }
  }
}

}  // namespace tamrel::app
