// Prints the core's answers for a fixed, generated set of inputs, one per
// line. The native and the Windows build run it and their outputs must be
// the same bytes: the conversions are integer-only and the voltage runs
// under its own control word, so nothing may depend on the compiler, the
// C library or the floating-point unit's state.
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "calc/constant_block.h"
#include "calc/number_to_text.h"
#include "calc/output_voltage.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace {

void PrintBits(double value) {
  std::uint64_t bits = 0;
  static_assert(sizeof bits == sizeof value);
  __builtin_memcpy(&bits, &value, sizeof bits);
  std::printf("%08lX%08lX", static_cast<unsigned long>(bits >> 32),
              static_cast<unsigned long>(bits & 0xFFFFFFFF));
}

std::string RandomText(std::mt19937_64& random) {
  static const char kAlphabet[] = "0123456789012345678901234567890123456789.-+eEdD x\xA3\xB1";
  std::string text;
  const auto length = static_cast<int>(random() % 40);
  for (int i = 0; i < length; ++i) {
    text += kAlphabet[random() % (sizeof kAlphabet - 1)];
  }
  return text;
}

}  // namespace

int main() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // LF alone, as natively
#endif
  tamrel::RegisterProgramConstants();
  std::mt19937_64 random(2026);
  char number[tamrel::kNumberTextCapacity];
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random();
    double value = 0;
    __builtin_memcpy(&value, &bits, sizeof value);
    tamrel::FormatNumber(value, number);
    std::printf("format %s\n", number);
  }
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomText(random);
    std::printf("parse ");
    PrintBits(tamrel::TextToNumber(text.c_str()));
    std::printf("\n");
  }
  for (int i = 0; i < 20000; ++i) {
    const double r1 = static_cast<double>(random() % 2000000) / 8;
    const double r2 = static_cast<double>(random() % 2000000) / 8;
    const tamrel::OwnedText result(
        tamrel::FormatOutputVoltage(tamrel::ComputeOutputVoltage(r1, r2)));
    std::printf("vout ");
    PrintBits(tamrel::ComputeOutputVoltage(r1, r2));
    std::printf(" %s\n", result.get());
  }
  return 0;
}
