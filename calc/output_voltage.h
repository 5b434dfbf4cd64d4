// Vout = VREF * (1 + R2 / R1) + IADJ * R2 for the adjustable AMS1117.
#pragma once

#include <initializer_list>

namespace tamrel {

// Every step rounds as the x87 unit does in extended precision: the exact
// result to a 64-bit significand, then to a double. The answer does not
// depend on the control word the caller left behind.
double ComputeOutputVoltage(double r1, double r2);

// NumberToText(vout) followed by "V"; a new text.
char* FormatOutputVoltage(double vout);

// The parts one after another in a new text; absent parts count as empty.
char* ConcatText(std::initializer_list<const char*> parts);

}  // namespace tamrel
