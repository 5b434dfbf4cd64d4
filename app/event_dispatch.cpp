#include "app/frame.h"

namespace tamrel::app {

bool AppFrame::RaiseEvent(ui::EventRecord& record) {
  const EventRoutine handler = FindEventHandler(record.window, record.control, record.event);
  if (handler == nullptr) {
    return false;
  }
  if (const HandlerAnswer answer = handler(*this, record)) {
    record.answered = true;
    record.answer = *answer;
  }
  return true;
}

EventRoutine AppFrame::FindEventHandler(WindowId window, ControlId control,
                                        std::int32_t event) const {
  if (suppression_count_ >= 1) {
    return nullptr;
  }
  const LoadedDescription* entry = FindDescription(window);
  if (entry == nullptr) {
    return nullptr;
  }
  // The window's own record answers to 0 as well as to its own id.
  const ControlId source = control == entry->description->record ? 0 : control;
  for (const ResolvedBinding& binding : entry->bindings) {
    const ControlId bound = binding.control == entry->description->record ? 0 : binding.control;
    if (bound == source && binding.event == event) {
      return binding.routine;
    }
  }
  return nullptr;
}

}  // namespace tamrel::app
