// The inputs the conversions are timed on: the numbers and texts of the
// calculator's everyday work (every pair of E24 resistors from 10 ohms to
// 1 megohm and the voltage they give), doubles of every kind, and long
// decimal texts.
#pragma once

#include <string>
#include <vector>

namespace tamrel::bench {

struct ConversionInputs {
  std::string name;
  std::vector<double> numbers;
  // The texts that the numbers are read back from.
  std::vector<std::string> texts;
};

// R1, R2 and Vout of every ordered pair of E24 values from 10 ohms to
// 1 megohm; the texts are those numbers as the result box spells them.
ConversionInputs E24Pairs();

// Doubles drawn uniformly over all finite bit patterns, and their texts as
// the result box spells them.
ConversionInputs RandomBitPatterns(std::size_t count);

// Texts of 20 to 40 significant digits with a point somewhere among them,
// half with an exponent; the numbers are what those texts read as.
ConversionInputs LongDecimalTexts(std::size_t count);

}  // namespace tamrel::bench
