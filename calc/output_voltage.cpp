#include "calc/output_voltage.h"

#include <cstring>

#include "calc/constant_block.h"
#include "calc/extended_precision.h"
#include "calc/number_to_text.h"
#include "calc/text_store.h"

namespace tamrel {
namespace {

// One operation: the exact result rounded to a 64-bit significand by the x87
// unit, then to a double when stored. The volatile store keeps the compiler
// from carrying the extended value on into the next step.
double Divide(long double a, long double b) {
  const volatile double stored = static_cast<double>(a / b);
  return stored;
}
double Add(long double a, long double b) {
  const volatile double stored = static_cast<double>(a + b);
  return stored;
}
double Multiply(long double a, long double b) {
  const volatile double stored = static_cast<double>(a * b);
  return stored;
}

}  // namespace

double ComputeOutputVoltage(double r1, double r2) {
  const detail::ExtendedPrecisionScope extended_precision;
  const double q = Divide(r2, r1);
  const double s = Add(q, kConstantBlock.one);
  const double g = Multiply(s, kConstantBlock.reference_voltage);
  const double a = Multiply(r2, kConstantBlock.adjust_pin_current);
  return Add(g, a);
}

char* FormatOutputVoltage(double vout) {
  const OwnedText number(NumberToText(vout));
  return ConcatText({number.get(), UnitText()});
}

char* ConcatText(std::initializer_list<const char*> parts) {
  std::size_t total = 0;
  for (const char* part : parts) {
    total += part != nullptr ? std::strlen(part) : 0;
  }
  char* text = static_cast<char*>(AllocateMemory(total + 1));
  std::size_t at = 0;
  for (const char* part : parts) {
    if (part != nullptr) {
      const std::size_t length = std::strlen(part);
      std::memcpy(text + at, part, length);
      at += length;
    }
  }
  text[at] = '\0';
  return text;
}

}  // namespace tamrel
