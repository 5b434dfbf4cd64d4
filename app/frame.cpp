#include "app/frame.h"

#include <utility>

#include "app/frame_messages.h"
#include "app/program_folder.h"
#include "app/text_heap.h"
#include "calc/constant_block.h"

namespace tamrel::app {
namespace {

AppFrame* active_frame = nullptr;

EventRoutine ResolveHandler(std::span<const HandlerRoutine> handlers, ui::HandlerName name) {
  if (name == ui::HandlerName::kNone) {
    return nullptr;
  }
  for (const HandlerRoutine& handler : handlers) {
    if (handler.name == name) {
      return handler.routine;
    }
  }
  return nullptr;
}

}  // namespace

AppFrame* ActiveFrame() { return active_frame; }

AppFrame::AppFrame(const FrameSetup& setup) : setup_(setup), properties_(*this) {}

AppFrame::~AppFrame() {
  ending_ = true;
  descriptions_.clear();
  hidden_window_.Destroy();
  if (active_frame == this) {
    ui::ConnectControlKinds(nullptr);
    SetAllocationFailureHandler(nullptr);
    active_frame = nullptr;
  }
}

void AppFrame::InitializeFrame() {
  active_frame = this;
  UseHeap(setup_.heap);
  SetAllocationFailureHandler(&ReportAllocationFailure);
  EnterProgramFolder();
  // Without its owner a modal window would get a taskbar button; the window
  // is still usable, so a refusal here is not worth ending the program for.
  hidden_window_.Create();
  RegisterProgramConstants();
  ui::ConnectControlKinds(this);
  if (!ReadDescriptions()) {
    ReportRuntimeError(kDescriptionsUnreadable);
  }
}

bool AppFrame::ReadDescriptions() {
  std::vector<LoadedDescription> read;
  for (const ui::WindowDescription& description : setup_.descriptions()) {
    if (!ui::IsUsableDescription(description)) {
      return false;
    }
    LoadedDescription& entry = read.emplace_back();
    entry.frame = this;
    entry.description = &description;
    for (const ui::EventBinding& binding : description.bindings) {
      entry.bindings.push_back(
          {binding.control, binding.event, ResolveHandler(setup_.handlers, binding.handler)});
    }
  }
  descriptions_ = std::move(read);
  return true;
}

void AppFrame::SetAtExitRoutine(void (*routine)()) { at_exit_routine_ = routine; }

void AppFrame::EndProgram() {
  ++suppression_count_;
  ending_ = true;
  for (LoadedDescription& entry : descriptions_) {
    entry.window.reset();
  }
  descriptions_.clear();
  if (void (*routine)() = std::exchange(at_exit_routine_, nullptr)) {
    routine();
  }
  hidden_window_.Destroy();
  ui::ConnectControlKinds(nullptr);
}

AppFrame::LoadedDescription* AppFrame::FindDescription(WindowId window) {
  for (LoadedDescription& entry : descriptions_) {
    if (entry.description->id == window) {
      return &entry;
    }
  }
  return nullptr;
}

const AppFrame::LoadedDescription* AppFrame::FindDescription(WindowId window) const {
  return const_cast<AppFrame*>(this)->FindDescription(window);
}

bool AppFrame::HasDescription(WindowId window) const { return FindDescription(window) != nullptr; }

bool AppFrame::IsWindowOpen(WindowId window) const {
  const LoadedDescription* entry = FindDescription(window);
  return entry != nullptr && entry->open;
}

ui::Window* AppFrame::FindOpenWindow(WindowId window) const {
  const LoadedDescription* entry = FindDescription(window);
  return entry != nullptr && entry->open ? entry->window.get() : nullptr;
}

bool AppFrame::AnyWindowOpen() const {
  for (const LoadedDescription& entry : descriptions_) {
    if (entry.open) {
      return true;
    }
  }
  return false;
}

void AppFrame::OnWindowDestroyed(void* context) {
  LoadedDescription& entry = *static_cast<LoadedDescription*>(context);
  AppFrame& frame = *entry.frame;
  entry.open = false;
  entry.just_loaded = false;
  for (HWND window : entry.disabled_while_modal) {
    if (IsWindow(window)) {
      EnableWindow(window, TRUE);
    }
  }
  entry.disabled_while_modal.clear();
  if (frame.modal_window_ == entry.description->id) {
    frame.modal_window_.reset();
  }
  // Tearing windows down at the end of the program is not a close.
  if (!frame.ending_ && frame.event_loop_entered_ && !frame.AnyWindowOpen()) {
    PostQuitMessage(0);
  }
}

}  // namespace tamrel::app
