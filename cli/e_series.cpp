#include "cli/e_series.h"

#include <array>

namespace tamrel::cli {
namespace {

// The preferred values of IEC 60063:2015, "Preferred number series for
// resistors and capacitors", as published. They are not a formula: E24 keeps
// its historical two-digit values (27, 30, 33, ... rather than 26, 29, 32,
// ...), and the three-digit series have values of their own (920 in E192
// where rounding would give 919), so each series is written out in full.
constexpr std::array<std::string_view, 6> kE6 = {
    "10", "15", "22", "33", "47", "68",
};

constexpr std::array<std::string_view, 12> kE12 = {
    "10", "12", "15", "18", "22", "27", "33", "39", "47", "56", "68", "82",
};

constexpr std::array<std::string_view, 24> kE24 = {
    "10", "11", "12", "13", "15", "16", "18", "20", "22", "24", "27", "30",
    "33", "36", "39", "43", "47", "51", "56", "62", "68", "75", "82", "91",
};

constexpr std::array<std::string_view, 48> kE48 = {
    "100", "105", "110", "115", "121", "127", "133", "140", "147", "154", "162", "169",
    "178", "187", "196", "205", "215", "226", "237", "249", "261", "274", "287", "301",
    "316", "332", "348", "365", "383", "402", "422", "442", "464", "487", "511", "536",
    "562", "590", "619", "649", "681", "715", "750", "787", "825", "866", "909", "953",
};

constexpr std::array<std::string_view, 96> kE96 = {
    "100", "102", "105", "107", "110", "113", "115", "118", "121", "124", "127", "130",
    "133", "137", "140", "143", "147", "150", "154", "158", "162", "165", "169", "174",
    "178", "182", "187", "191", "196", "200", "205", "210", "215", "221", "226", "232",
    "237", "243", "249", "255", "261", "267", "274", "280", "287", "294", "301", "309",
    "316", "324", "332", "340", "348", "357", "365", "374", "383", "392", "402", "412",
    "422", "432", "442", "453", "464", "475", "487", "499", "511", "523", "536", "549",
    "562", "576", "590", "604", "619", "634", "649", "665", "681", "698", "715", "732",
    "750", "768", "787", "806", "825", "845", "866", "887", "909", "931", "953", "976",
};

constexpr std::array<std::string_view, 192> kE192 = {
    "100", "101", "102", "104", "105", "106", "107", "109", "110", "111", "113", "114", "115",
    "117", "118", "120", "121", "123", "124", "126", "127", "129", "130", "132", "133", "135",
    "137", "138", "140", "142", "143", "145", "147", "149", "150", "152", "154", "156", "158",
    "160", "162", "164", "165", "167", "169", "172", "174", "176", "178", "180", "182", "184",
    "187", "189", "191", "193", "196", "198", "200", "203", "205", "208", "210", "213", "215",
    "218", "221", "223", "226", "229", "232", "234", "237", "240", "243", "246", "249", "252",
    "255", "258", "261", "264", "267", "271", "274", "277", "280", "284", "287", "291", "294",
    "298", "301", "305", "309", "312", "316", "320", "324", "328", "332", "336", "340", "344",
    "348", "352", "357", "361", "365", "370", "374", "379", "383", "388", "392", "397", "402",
    "407", "412", "417", "422", "427", "432", "437", "442", "448", "453", "459", "464", "470",
    "475", "481", "487", "493", "499", "505", "511", "517", "523", "530", "536", "542", "549",
    "556", "562", "569", "576", "583", "590", "597", "604", "612", "619", "626", "634", "642",
    "649", "657", "665", "673", "681", "690", "698", "706", "715", "723", "732", "741", "750",
    "759", "768", "777", "787", "796", "806", "816", "825", "835", "845", "856", "866", "876",
    "887", "898", "909", "920", "931", "942", "953", "965", "976", "988",
};

constexpr std::array<ESeries, 6> kSeries = {{
    {"E6", kE6},
    {"E12", kE12},
    {"E24", kE24},
    {"E48", kE48},
    {"E96", kE96},
    {"E192", kE192},
}};

}  // namespace

std::span<const ESeries> AllESeries() { return kSeries; }

const ESeries* FindESeries(std::string_view name) {
  for (const ESeries& series : kSeries) {
    if (series.name == name) return &series;
  }
  return nullptr;
}

std::vector<DecimalValue> SeriesValuesBetween(const ESeries& series, const DecimalValue& lowest,
                                              const DecimalValue& highest) {
  std::vector<DecimalValue> values;
  // The table's digits stand for 1.0 to 9.x times the decade's power of ten.
  const int places = static_cast<int>(series.decade.front().size()) - 1;
  for (int power = lowest.LeadingPower(); power <= highest.LeadingPower(); ++power) {
    for (const std::string_view digits : series.decade) {
      DecimalValue value(digits, power - places);
      if (value >= lowest && value <= highest) values.push_back(std::move(value));
    }
  }
  return values;
}

}  // namespace tamrel::cli
