// The fixed data that defines a window and its controls. The table of
// MainWindow lives in main_window_description.cpp, one row per control in
// description order.
#pragma once

#include <cstdint>
#include <span>

#include "calc/property_access.h"

namespace tamrel::ui {

enum class ControlKind : std::uint8_t { kLabel, kEditBox, kButton, kPictureBox };

// Where a picture box finds its picture: a function, so that the table stays
// constant data while the picture lives in a library of its own.
using PictureData = std::span<const unsigned char> (*)();

struct ControlDescription {
  const char* name;  // GBK
  ControlId id;
  ControlKind kind;
  std::int32_t left, top, width, height;
  const char* text;  // GBK; the caption, the label text, the box's content
  bool visible;
  bool disabled;
  bool can_take_focus;
  std::int32_t tab_order;
  PictureData picture = nullptr;  // picture boxes only; none shows the background
};

// Handlers are named in the description and resolved by the frame.
enum class HandlerName : std::uint8_t { kNone, kOnCalculateClicked };

struct EventBinding {
  ControlId control;  // 0 for the window's own record
  std::int32_t event;
  HandlerName handler;
};

struct WindowDescription {
  WindowId id;
  ControlId record;    // the source id of the window's own events
  const char* title;   // GBK
  std::int32_t width;  // outer size, frame and title bar included
  std::int32_t height;
  bool esc_closes;
  bool visible;
  std::span<const ControlDescription> controls;  // description order
  std::span<const EventBinding> bindings;
};

// All windows of the program; here MainWindow alone. Linked from a library of
// its own so that a test program can link a damaged table in its place.
std::span<const WindowDescription> ProgramWindowDescriptions();

// Checks that a description can be used: known kinds, unique ids, sizes that
// are not negative, texts present. The frame refuses to start otherwise.
bool IsUsableDescription(const WindowDescription& description);

}  // namespace tamrel::ui
