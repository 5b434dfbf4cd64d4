// The program's window table, and what makes a table unusable.
#include "ui/window_description.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "calc/main_window_ids.h"
#include "ui/events.h"
#include "ui/window_place.h"

namespace tamrel::ui {
namespace {

TEST(WindowDescriptionTest, TheProgramHasMainWindowAloneAndItIsUsable) {
  const std::span<const WindowDescription> windows = ProgramWindowDescriptions();
  ASSERT_EQ(windows.size(), 1u);
  const WindowDescription& main = windows[0];
  EXPECT_EQ(main.id, kMainWindow);
  EXPECT_EQ(main.record, kMainWindowRecord);
  EXPECT_EQ(main.controls.size(), 11u);
  ASSERT_EQ(main.bindings.size(), 1u);
  EXPECT_EQ(main.bindings[0].control, kButton1);
  EXPECT_EQ(main.bindings[0].event, kClickEvent);
  EXPECT_EQ(main.bindings[0].handler, HandlerName::kOnCalculateClicked);
  EXPECT_TRUE(IsUsableDescription(main));
}

TEST(WindowDescriptionTest, ADamagedTableIsNotUsable) {
  const WindowDescription& main = ProgramWindowDescriptions()[0];
  using Damage = std::function<void(WindowDescription&, std::vector<ControlDescription>&,
                                    std::vector<EventBinding>&)>;
  const std::pair<const char*, Damage> damages[] = {
      {"no title", [](auto& w, auto&, auto&) { w.title = nullptr; }},
      {"negative height", [](auto& w, auto&, auto&) { w.height = -1; }},
      {"two controls with one id", [](auto&, auto& c, auto&) { c[1].id = c[0].id; }},
      {"a control with id 0", [](auto&, auto& c, auto&) { c[3].id = 0; }},
      {"a control without a text", [](auto&, auto& c, auto&) { c[2].text = nullptr; }},
      {"a control without a name", [](auto&, auto& c, auto&) { c[2].name = nullptr; }},
      {"a negative width", [](auto&, auto& c, auto&) { c[5].width = -56; }},
      {"an unknown kind", [](auto&, auto& c, auto&) { c[0].kind = static_cast<ControlKind>(9); }},
      {"a binding to no control", [](auto&, auto&, auto& b) { b[0].control = 0x16019999; }},
  };
  for (const auto& [what, damage] : damages) {
    WindowDescription window = main;
    std::vector<ControlDescription> controls(main.controls.begin(), main.controls.end());
    std::vector<EventBinding> bindings(main.bindings.begin(), main.bindings.end());
    damage(window, controls, bindings);
    window.controls = controls;
    window.bindings = bindings;
    EXPECT_FALSE(IsUsableDescription(window)) << what;
  }
}

TEST(CentredPlaceTest, HalvesTheSpareRoomTruncatingTowardZero) {
  struct Case {
    int screen_width, screen_height, left, top;
  };
  const Case cases[] = {
      {1920, 1080, 724, 396}, {1366, 768, 447, 240},
      {400, 300, -36, 6},     {471, 286, 0, 0},  // -1 / 2 is 0, not -1
      {473, 288, 0, 0},
  };
  for (const Case& c : cases) {
    const WindowPlace place = CentredPlace(c.screen_width, c.screen_height, 472, 287);
    EXPECT_EQ(place.left, c.left) << c.screen_width;
    EXPECT_EQ(place.top, c.top) << c.screen_height;
  }
}

}  // namespace
}  // namespace tamrel::ui
