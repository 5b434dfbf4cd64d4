#include "cli/design_arguments.h"

#include <algorithm>
#include <array>

#include "cli/quoted_argument.h"
#include "cli/resistor_prefix_reader.h"

namespace tamrel::cli {
namespace {

enum class Option { kSeries, kR1, kR1Range, kR2Range, kTolerance, kCount, kCsv };

struct OptionInfo {
  Option option;
  std::string_view name;
  bool takes_value;
};

constexpr std::array<OptionInfo, 7> kOptions = {{
    {Option::kSeries, "--series", true},
    {Option::kR1, "--r1", true},
    {Option::kR1Range, "--r1-range", true},
    {Option::kR2Range, "--r2-range", true},
    {Option::kTolerance, "--tolerance", true},
    {Option::kCount, "--count", true},
    {Option::kCsv, "--csv", false},
}};

constexpr std::string_view kVoutName = "VOUT";
constexpr std::string_view kSeeHelp = " (see tamrel-cli --help)";

// Defaults: R1 as application circuits of the regulator choose it, so that
// the divider draws milliamperes and the ADJ current's share stays small.
constexpr std::string_view kDefaultSeries = "E24";
constexpr std::string_view kDefaultR1Range = "100:1k";
constexpr std::string_view kDefaultR2Range = "10:1M";
constexpr std::string_view kDefaultTolerance = "1";
constexpr std::size_t kDefaultCount = 5;
constexpr std::string_view kMostPairsShown = "1000";
constexpr std::string_view kHighestTolerance = "50";

// The resistances searched at all: the series' values from 10 milliohms to
// 1 gigaohm, which keeps the widest search to a few million pairs.
const DecimalValue kLowestResistance("1", -2);
const DecimalValue kHighestResistance("1", 9);
// Far beyond any regulator, and far from where the arithmetic overflows.
const DecimalValue kHighestVout("1", 9);

std::string Named(std::string_view operand, std::string_view text, std::string_view problem) {
  return std::string(operand) + ": " + Quoted(text) + " " + std::string(problem);
}

const OptionInfo* FindOption(std::string_view name) {
  for (const OptionInfo& info : kOptions) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

// The texts given, before they are read.
struct GivenTexts {
  std::optional<std::string_view> vout;
  std::array<std::optional<std::string_view>, kOptions.size()> options;

  std::optional<std::string_view>& operator[](Option option) {
    return options[static_cast<std::size_t>(option)];
  }
};

std::string SortArguments(std::span<const std::string_view> arguments, GivenTexts& given) {
  for (std::size_t next = 0; next < arguments.size(); ++next) {
    const std::string_view argument = arguments[next];
    // "-3" is a (bad) VOUT, not an option.
    if (!argument.starts_with("--")) {
      if (given.vout) {
        return "design takes one VOUT, not " + Quoted(*given.vout) + " and " + Quoted(argument) +
               std::string(kSeeHelp);
      }
      given.vout = argument;
      continue;
    }
    const OptionInfo* info = FindOption(argument);
    if (info == nullptr) {
      return "unknown design option " + Quoted(argument) + std::string(kSeeHelp);
    }
    std::optional<std::string_view>& slot = given[info->option];
    if (slot) return std::string(info->name) + " is given twice";
    if (!info->takes_value) {
      slot = "";
      continue;
    }
    if (next + 1 == arguments.size()) {
      return std::string(info->name) + " needs a value" + std::string(kSeeHelp);
    }
    slot = arguments[++next];
  }
  if (!given.vout) return "design needs VOUT, the wanted output voltage" + std::string(kSeeHelp);
  return {};
}

std::string ReadVout(std::string_view text, DecimalValue& vout) {
  const std::optional<SchematicNumber> number = ReadSchematicNumber(text, Quantity::kVoltage);
  if (!number) {
    return Named(kVoutName, text, "is not a voltage (write it as 3.3, 3.3V or 3V3)");
  }
  const DecimalValue reference("125", -2);
  if (number->negative || number->magnitude <= reference) {
    return Named(kVoutName, text,
                 "is not above 1.25V, the reference voltage: no pair of positive resistors "
                 "gives it");
  }
  if (number->magnitude > kHighestVout) return Named(kVoutName, text, "lies above 1GV");
  vout = number->magnitude;
  return {};
}

std::string ReadResistance(std::string_view operand, std::string_view text,
                           DecimalValue& resistance) {
  const std::optional<SchematicNumber> number = ReadSchematicNumber(text, Quantity::kResistance);
  if (!number) {
    // "4m7" or "1m" meant as mega: it would read with an M.
    std::string as_mega(text);
    std::replace(as_mega.begin(), as_mega.end(), 'm', 'M');
    const bool milli = as_mega != text && ReadSchematicNumber(as_mega, Quantity::kResistance);
    return Named(operand, text,
                 std::string("is not a resistance in ohms (write it as 240, 4.7k, 4k7, 2R2 or "
                             "1M") +
                     (milli ? "; m would be milli, mega is M)" : ")"));
  }
  if (number->negative || number->magnitude.IsZero()) {
    return Named(operand, text, "is not above zero");
  }
  if (number->magnitude < kLowestResistance || number->magnitude > kHighestResistance) {
    return Named(operand, text, "lies outside the resistances searched, 0.01 to 1G");
  }
  resistance = number->magnitude;
  return {};
}

std::string ReadRange(std::string_view operand, std::string_view text, ResistanceRange& range) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return Named(operand, text, "is not MIN:MAX");
  std::string problem = ReadResistance(operand, text.substr(0, colon), range.lowest);
  if (problem.empty()) problem = ReadResistance(operand, text.substr(colon + 1), range.highest);
  if (problem.empty() && range.lowest > range.highest) {
    problem = std::string(operand) + ": the minimum " + range.lowest.PrefixedText() +
              " lies above the maximum " + range.highest.PrefixedText();
  }
  return problem;
}

std::string ReadSeries(std::string_view text, const ESeries*& series) {
  series = FindESeries(text);
  if (series != nullptr) return {};
  return Named("--series", text, "is not a series (E6, E12, E24, E48, E96 or E192)");
}

std::string ReadTolerance(std::string_view text, DecimalValue& tolerance) {
  std::string_view digits = text;
  if (digits.ends_with('%')) digits.remove_suffix(1);
  const std::optional<SchematicNumber> number = ReadPlainNumber(digits);
  if (!number) return Named("--tolerance", text, "is not a percentage");
  if ((number->negative && !number->magnitude.IsZero()) ||
      number->magnitude > DecimalValue(kHighestTolerance, 0)) {
    return Named("--tolerance", text, "lies outside 0 to 50 (percent)");
  }
  tolerance = number->magnitude;
  return {};
}

std::string ReadCount(std::string_view text, std::size_t& count) {
  const std::optional<SchematicNumber> number = ReadPlainNumber(text);
  if (!number || text.find('.') != std::string_view::npos) {
    return Named("--count", text, "is not a whole number");
  }
  if (number->negative || number->magnitude.IsZero() ||
      number->magnitude > DecimalValue(kMostPairsShown, 0)) {
    return Named("--count", text, "lies outside 1 to 1000");
  }
  count = static_cast<std::size_t>(number->magnitude.ToDouble());
  return {};
}

}  // namespace

ParsedDesign ReadDesignArguments(std::span<const std::string_view> arguments) {
  ParsedDesign parsed;
  DesignRequest& request = parsed.request;
  GivenTexts given;
  std::string& error = parsed.error;
  error = SortArguments(arguments, given);
  if (error.empty()) error = ReadVout(*given.vout, request.vout);
  if (error.empty())
    error = ReadSeries(given[Option::kSeries].value_or(kDefaultSeries), request.series);
  if (error.empty() && given[Option::kR1] && given[Option::kR1Range]) {
    error = "--r1 and --r1-range exclude each other";
  }
  if (error.empty() && given[Option::kR1]) {
    request.fixed_r1.emplace();
    error = ReadResistance("--r1", *given[Option::kR1], *request.fixed_r1);
  }
  if (error.empty()) {
    error = ReadRange("--r1-range", given[Option::kR1Range].value_or(kDefaultR1Range),
                      request.r1_range);
  }
  if (error.empty()) {
    error = ReadRange("--r2-range", given[Option::kR2Range].value_or(kDefaultR2Range),
                      request.r2_range);
  }
  if (error.empty()) {
    error = ReadTolerance(given[Option::kTolerance].value_or(kDefaultTolerance),
                          request.tolerance_percent);
  }
  request.count = kDefaultCount;
  if (error.empty() && given[Option::kCount])
    error = ReadCount(*given[Option::kCount], request.count);
  request.csv = given[Option::kCsv].has_value();
  return parsed;
}

}  // namespace tamrel::cli
