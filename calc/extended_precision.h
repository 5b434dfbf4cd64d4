// The x87 unit rounds every operation to the precision its control word
// selects. The output voltage is defined by extended precision (a 64-bit
// significand) whatever state a caller, a driver or a library left behind,
// so the computation runs under a control word of its own and puts the old
// one back.
#pragma once

#include <cfloat>
#include <cstdint>

namespace tamrel::detail {

static_assert(LDBL_MANT_DIG == 64, "long double must be the x87 extended format");

#if defined(__i386__) || defined(__x86_64__)

// Extended precision, round to nearest, every exception masked.
inline constexpr std::uint16_t kExtendedPrecisionControlWord = 0x037F;

inline std::uint16_t ReadX87ControlWord() {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

inline void WriteX87ControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

class ExtendedPrecisionScope {
 public:
  ExtendedPrecisionScope() : saved_(ReadX87ControlWord()) {
    WriteX87ControlWord(kExtendedPrecisionControlWord);
  }
  ~ExtendedPrecisionScope() { WriteX87ControlWord(saved_); }
  ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
  ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

 private:
  std::uint16_t saved_;
};

#else
#error "the output-voltage arithmetic needs the x87 unit"
#endif

}  // namespace tamrel::detail
