#include "ui/events.h"

namespace tamrel::ui {
namespace {

EventDispatch* connected_dispatch = nullptr;

}  // namespace

void ConnectControlKinds(EventDispatch* dispatch) { connected_dispatch = dispatch; }

bool RaiseEvent(EventRecord& record) {
  return connected_dispatch != nullptr && connected_dispatch->RaiseEvent(record);
}

}  // namespace tamrel::ui
