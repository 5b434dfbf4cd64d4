// The runtime error report: the one way the program tells the user that it
// cannot go on.
#pragma once

#include <cstddef>

namespace tamrel::app {

// The box's text: the heading, CR LF CR LF, then "错误信息：", the message and
// CR LF; an empty message leaves its line out. A message too long for the
// buffer is cut at a character boundary.
inline constexpr std::size_t kReportTextCapacity = 512;
void BuildReportText(const char* message, char (&text)[kReportTextCapacity]);

}  // namespace tamrel::app
