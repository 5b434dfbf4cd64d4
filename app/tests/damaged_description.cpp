// A window table that the frame must refuse: two controls share one id. It
// stands in for MainWindow's table in a test program.
#include "calc/main_window_ids.h"
#include "ui/window_description.h"

namespace tamrel::ui {
namespace {

// clang-format off
constexpr ControlDescription kControls[] = {
  {"\xB0\xB4\xC5\xA5" "1", kButton1, ControlKind::kButton, 372, 232, 88, 20, "\xBC\xC6 \xCB\xE3", true, false, true, 0},  // 按钮1
  {"\xB1\xEA\xC7\xA9" "1", kButton1, ControlKind::kLabel,    8, 232, 20, 20, "R1:", true, false, false, 0},              // 标签1
};
// clang-format on

constexpr WindowDescription kDamagedWindows[] = {{
    .id = kMainWindow,
    .record = kMainWindowRecord,
    .title = "Tamrel V1.0",
    .width = 472,
    .height = 287,
    .esc_closes = true,
    .visible = true,
    .controls = kControls,
    .bindings = {},
}};

}  // namespace

std::span<const WindowDescription> ProgramWindowDescriptions() { return kDamagedWindows; }

}  // namespace tamrel::ui
