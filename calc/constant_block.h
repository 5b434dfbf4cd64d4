// The program's constants, laid out one after another in one block that the
// text store knows: releasing "" or "V" is then a no-op, and the calculator
// uses these texts themselves rather than copies.
#pragma once

namespace tamrel {

struct ConstantBlock {
  char empty_text[1];
  double one;
  double reference_voltage;   // VREF, volts
  double adjust_pin_current;  // IADJ, amperes
  char unit_text[2];          // "V"
};

extern const ConstantBlock kConstantBlock;

inline const char* EmptyText() { return kConstantBlock.empty_text; }
inline const char* UnitText() { return kConstantBlock.unit_text; }

// Tells the text store about the block; the frame does it during start-up,
// the command line and the tests before their first text.
void RegisterProgramConstants();

}  // namespace tamrel
