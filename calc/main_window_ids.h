// The ids by which the frame and the calculator address MainWindow and its
// controls. The window description in ui/ is built from these same values.
#pragma once

#include "calc/property_access.h"

namespace tamrel {

inline constexpr WindowId kMainWindow = 0x52010003;
inline constexpr ControlId kMainWindowRecord = 0x06010002;  // the window's own record

inline constexpr ControlId kLabel6 = 0x16010023;       // 标签6
inline constexpr ControlId kLabel5 = 0x16010022;       // 标签5
inline constexpr ControlId kLabel4 = 0x16010021;       // 标签4
inline constexpr ControlId kButton1 = 0x1601000F;      // 按钮1
inline constexpr ControlId kEditBox3 = 0x1601000E;     // 编辑框3
inline constexpr ControlId kEditBox2 = 0x1601000D;     // 编辑框2
inline constexpr ControlId kEditBox1 = 0x1601000C;     // 编辑框1
inline constexpr ControlId kLabel3 = 0x1601000B;       // 标签3
inline constexpr ControlId kLabel2 = 0x1601000A;       // 标签2
inline constexpr ControlId kLabel1 = 0x16010009;       // 标签1
inline constexpr ControlId kPictureBox1 = 0x16010007;  // 图片框1

}  // namespace tamrel
