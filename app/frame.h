// The application frame: the one object that runs the program. It holds the
// window descriptions with their live windows, the event suppression count,
// the modal window, the at-exit routine and the hidden owner window, and it
// offers the program the text store, property access and the error report.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/hidden_window.h"
#include "app/property_access.h"
#include "calc/property_access.h"
#include "calc/text_store.h"
#include "ui/events.h"
#include "ui/window.h"
#include "ui/window_description.h"

namespace tamrel::app {

class AppFrame;

// A handler's reply: a value for events that ask a question (the close
// request), nothing otherwise.
using HandlerAnswer = std::optional<std::int32_t>;
using EventRoutine = HandlerAnswer (*)(AppFrame& frame, const ui::EventRecord& record);

// How a handler named in a description becomes a routine of the program.
struct HandlerRoutine {
  ui::HandlerName name;
  EventRoutine routine;
};

// Everything in which one program built on the frame differs from another.
// tamrel.exe uses ShippedFrameSetup(); test programs replace single parts.
struct FrameSetup {
  std::span<const ui::WindowDescription> (*descriptions)();
  std::span<const HandlerRoutine> handlers;
  Heap heap;
  void (*at_exit_routine)();
  // Ends the process at once after an error report; must not return.
  void (*end_process)(unsigned exit_status);
};

enum class LoopMode { kMain, kModal };

class AppFrame final : public ui::EventDispatch {
 public:
  explicit AppFrame(const FrameSetup& setup);
  ~AppFrame() override;
  AppFrame(const AppFrame&) = delete;
  AppFrame& operator=(const AppFrame&) = delete;

  void InitializeFrame();
  void SetAtExitRoutine(void (*routine)());
  bool LoadWindow(WindowId window, std::optional<WindowId> owner, bool modal);
  void RunEventLoop();
  bool RaiseEvent(ui::EventRecord& record) override;
  EventRoutine FindEventHandler(WindowId window, ControlId control, std::int32_t event) const;
  void EndProgram();
  [[noreturn]] void ReportRuntimeError(const char* message);

  PropertyAccess& properties() { return properties_; }
  const FrameSetup& setup() const { return setup_; }
  // The parameter of the quit request that ended the main loop, else 0.
  int exit_status() const { return exit_status_; }
  int suppression_count() const { return suppression_count_; }
  std::optional<WindowId> modal_window() const { return modal_window_; }
  bool event_loop_entered() const { return event_loop_entered_; }
  HWND hidden_window() const { return hidden_window_.handle(); }
  bool IsWindowOpen(WindowId window) const;
  ui::Window* FindOpenWindow(WindowId window) const;
  bool HasDescription(WindowId window) const;

 private:
  struct ResolvedBinding {
    ControlId control;
    std::int32_t event;
    EventRoutine routine;
  };
  struct LoadedDescription {
    AppFrame* frame;
    const ui::WindowDescription* description;
    std::vector<ResolvedBinding> bindings;
    std::unique_ptr<ui::Window> window;  // while loaded
    bool open = false;
    bool modal = false;
    bool just_loaded = false;
    std::vector<HWND> disabled_while_modal;
  };

  LoadedDescription* FindDescription(WindowId window);
  const LoadedDescription* FindDescription(WindowId window) const;
  bool ReadDescriptions();
  bool AnyWindowOpen() const;
  void DisableOtherWindows(LoadedDescription& modal);
  static void OnWindowDestroyed(void* context);
  void RaiseWindowEvent(const LoadedDescription& entry, std::int32_t event);

  // Event loop (event_loop.cpp).
  void RunLoop(LoopMode mode);
  // The next message of the loop; false when the loop is to return.
  bool TakeModalMessage(MSG& message);
  bool TakeMainMessage(MSG& message);
  void DrainQueue();
  void DispatchOne(MSG& message);

  FrameSetup setup_;
  FramePropertyAccess properties_;
  std::vector<LoadedDescription> descriptions_;
  int suppression_count_ = 0;
  std::optional<WindowId> modal_window_;
  bool event_loop_entered_ = false;
  bool ending_ = false;
  bool reporting_ = false;
  void (*at_exit_routine_)() = nullptr;
  HiddenWindow hidden_window_;
  int exit_status_ = 0;
};

// The frame that the process runs, for the services that plain callbacks
// reach (the store's allocation failure); nullptr outside its life.
AppFrame* ActiveFrame();

}  // namespace tamrel::app
