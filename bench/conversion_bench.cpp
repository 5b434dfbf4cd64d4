// The two conversions of the calculator against the C and C++ libraries'
// own, on the same numbers and texts: NumberToText against snprintf "%.13g"
// and std::to_chars with 13 digits, TextToNumber against strtod and
// std::from_chars. One benchmark iteration is one conversion; the inputs
// are taken in turn so that no branch predictor learns a single value.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/conversion_inputs.h"
#include "calc/number_to_text.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel::bench {
namespace {

constexpr std::size_t kGeneratedCount = 20000;

// A formatter writes the text of `value` into a buffer of 32 bytes.
using Formatter = void (*)(double value, char* buffer);
// A reader returns the number at the front of a text of `length` bytes.
using Reader = double (*)(const char* text, std::size_t length);

void OurNumberToText(double value, char* buffer) {
  const OwnedText text(NumberToText(value));
  buffer[0] = text.get()[0];
}

void LibcSnprintf(double value, char* buffer) { std::snprintf(buffer, 32, "%.13g", value); }

void StdToChars(double value, char* buffer) {
  *std::to_chars(buffer, buffer + 31, value, std::chars_format::general, 13).ptr = '\0';
}

double OurTextToNumber(const char* text, std::size_t /*length*/) { return TextToNumber(text); }

double LibcStrtod(const char* text, std::size_t /*length*/) { return std::strtod(text, nullptr); }

double StdFromChars(const char* text, std::size_t length) {
  double value = 0;
  std::from_chars(text, text + length, value);
  return value;
}

struct NamedFormatter {
  const char* name;
  Formatter format;
};
struct NamedReader {
  const char* name;
  Reader read;
};

constexpr NamedFormatter kFormatters[] = {
    {"NumberToText", &OurNumberToText},
    {"snprintf_13g", &LibcSnprintf},
    {"to_chars_13", &StdToChars},
};
constexpr NamedReader kReaders[] = {
    {"TextToNumber", &OurTextToNumber},
    {"strtod", &LibcStrtod},
    {"from_chars", &StdFromChars},
};

void TimeFormatter(benchmark::State& state, Formatter format, const ConversionInputs* inputs) {
  const std::vector<double>& numbers = inputs->numbers;
  char buffer[32];
  std::size_t next = 0;
  for (auto _ : state) {
    format(numbers[next], buffer);
    benchmark::DoNotOptimize(buffer);
    benchmark::ClobberMemory();
    if (++next == numbers.size()) next = 0;
  }
}

void TimeReader(benchmark::State& state, Reader read, const ConversionInputs* inputs) {
  const std::vector<std::string>& texts = inputs->texts;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(read(texts[next].c_str(), texts[next].size()));
    if (++next == texts.size()) next = 0;
  }
}

}  // namespace
}  // namespace tamrel::bench

int main(int argc, char** argv) {
  using namespace tamrel::bench;
  // Registered by name "conversion/inputs": the inputs live until the end.
  static const ConversionInputs kInputs[] = {
      E24Pairs(),
      RandomBitPatterns(kGeneratedCount),
      LongDecimalTexts(kGeneratedCount),
  };
  for (const ConversionInputs& inputs : kInputs) {
    for (const NamedFormatter& formatter : kFormatters) {
      benchmark::RegisterBenchmark((std::string(formatter.name) + "/" + inputs.name).c_str(),
                                   &TimeFormatter, formatter.format, &inputs);
    }
    for (const NamedReader& reader : kReaders) {
      benchmark::RegisterBenchmark((std::string(reader.name) + "/" + inputs.name).c_str(),
                                   &TimeReader, reader.read, &inputs);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
