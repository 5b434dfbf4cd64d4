// The texts of the frame's error reports: GBK bytes, shown as they are.
#pragma once

namespace tamrel::app {

// 运行时出错!
inline constexpr char kReportHeading[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";
// 错误信息：
inline constexpr char kReportMessageLabel[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
// 错误
inline constexpr char kReportCaption[] = "\xB4\xED\xCE\xF3";

// 载入窗口模板数据段出错!
inline constexpr char kDescriptionsUnreadable[] =
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!";
// 未载入欲访问窗口组件所在的窗口
inline constexpr char kWindowNotLoaded[] =
    "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9\xD4"
    "\xDA"
    "\xB5\xC4\xB4\xB0\xBF\xDA";
// 指定窗口尚未载入
inline constexpr char kControlNotLoaded[] =
    "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB";

// 分配 %d 字节内存失败! : the two parts around the size.
inline constexpr char kAllocationFailedBefore[] = "\xB7\xD6\xC5\xE4 ";
inline constexpr char kAllocationFailedAfter[] =
    " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

}  // namespace tamrel::app
