// The description of MainWindow: the window's settings and its eleven
// controls. The controls are listed in description order; the window creates
// them in the reverse order (the picture box first, the "V" label last) and
// stacks them in this order, the first row at the top.
#include "calc/main_window_ids.h"
#include "ui/events.h"
#include "ui/schematic/schematic_picture.h"
#include "ui/window_description.h"

namespace tamrel::ui {
namespace {

constexpr ControlKind kLabel = ControlKind::kLabel;
constexpr ControlKind kEditBox = ControlKind::kEditBox;
constexpr ControlKind kButton = ControlKind::kButton;
constexpr ControlKind kPictureBox = ControlKind::kPictureBox;

// Texts in GBK. Adjacent literals keep a digit from joining a hex escape.
constexpr const char kOhm[] = "\xA6\xB8";                 // Ω (U+03A9)
constexpr const char kCalculate[] = "\xBC\xC6 \xCB\xE3";  // 计 算

// clang-format off
constexpr ControlDescription kControls[] = {
  // name                                  id             kind         left top  width height text      visible disabled focus tab
  {"\xB1\xEA\xC7\xA9" "6",             kLabel6,       kLabel,      344, 234,  16,  16, "V",       true,  false,   false, 0},  // 标签6
  {"\xB1\xEA\xC7\xA9" "5",             kLabel5,       kLabel,      211, 235,  16,  16, kOhm,      true,  false,   false, 0},  // 标签5
  {"\xB1\xEA\xC7\xA9" "4",             kLabel4,       kLabel,       88, 236,  16,  16, kOhm,      true,  false,   false, 0},  // 标签4
  {"\xB0\xB4\xC5\xA5" "1",             kButton1,      kButton,     372, 232,  88,  20, kCalculate, true, false,   true,  0},  // 按钮1
  {"\xB1\xE0\xBC\xAD\xBF\xF2" "3",     kEditBox3,     kEditBox,    285, 233,  56,  20, "",        true,  true,    true,  0},  // 编辑框3
  {"\xB1\xE0\xBC\xAD\xBF\xF2" "2",     kEditBox2,     kEditBox,    152, 233,  56,  20, "",        true,  false,   true,  0},  // 编辑框2
  {"\xB1\xE0\xBC\xAD\xBF\xF2" "1",     kEditBox1,     kEditBox,     30, 233,  56,  20, "",        true,  false,   true,  0},  // 编辑框1
  {"\xB1\xEA\xC7\xA9" "3",             kLabel3,       kLabel,      253, 232,  30,  20, "Vout:",   true,  false,   false, 0},  // 标签3
  {"\xB1\xEA\xC7\xA9" "2",             kLabel2,       kLabel,      132, 232,  20,  20, "R2:",     true,  false,   false, 0},  // 标签2
  {"\xB1\xEA\xC7\xA9" "1",             kLabel1,       kLabel,        8, 232,  20,  20, "R1:",     true,  false,   false, 0},  // 标签1
  {"\xCD\xBC\xC6\xAC\xBF\xF2" "1",     kPictureBox1,  kPictureBox,   6,   8, 452, 223, "",        true,  false,   false, 0,
   SchematicJpeg},                                                                                                             // 图片框1
};
// clang-format on

// Only the click of the button has a handler.
constexpr EventBinding kBindings[] = {
    {kButton1, kClickEvent, HandlerName::kOnCalculateClicked},
};

constexpr WindowDescription kMainWindowDescription = {
    .id = kMainWindow,
    .record = kMainWindowRecord,
    .title = "Tamrel V1.0",
    .width = 472,
    .height = 287,
    .esc_closes = true,
    .visible = true,
    .controls = kControls,
    .bindings = kBindings,
};

constexpr WindowDescription kProgramWindows[] = {kMainWindowDescription};

}  // namespace

std::span<const WindowDescription> ProgramWindowDescriptions() { return kProgramWindows; }

}  // namespace tamrel::ui
