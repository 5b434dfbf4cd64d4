#include "exact_reference.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace tamrel::reference {
namespace {

// Little-endian base 2^32.
using Natural = std::vector<std::uint32_t>;

void Normalize(Natural& n) {
  while (!n.empty() && n.back() == 0) n.pop_back();
}

Natural FromUint(std::uint64_t v) {
  Natural n{static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32)};
  Normalize(n);
  return n;
}

void MulSmall(Natural& n, std::uint32_t f) {
  std::uint64_t carry = 0;
  for (auto& limb : n) {
    const std::uint64_t p = std::uint64_t{limb} * f + carry;
    limb = static_cast<std::uint32_t>(p);
    carry = p >> 32;
  }
  if (carry) n.push_back(static_cast<std::uint32_t>(carry));
}

void AddSmall(Natural& n, std::uint32_t a) {
  std::uint64_t carry = a;
  for (std::size_t i = 0; carry && i < n.size(); ++i) {
    const std::uint64_t s = std::uint64_t{n[i]} + carry;
    n[i] = static_cast<std::uint32_t>(s);
    carry = s >> 32;
  }
  if (carry) n.push_back(static_cast<std::uint32_t>(carry));
}

void Shl(Natural& n, std::int64_t bits) {
  if (n.empty()) return;
  n.insert(n.begin(), static_cast<std::size_t>(bits / 32), 0);
  MulSmall(n, std::uint32_t{1} << (bits % 32));
}

void MulPow10(Natural& n, std::int64_t e) {
  for (std::int64_t i = 0; i < e; ++i) MulSmall(n, 10);
}

Natural Add(const Natural& a, const Natural& b) {
  Natural r(std::max(a.size(), b.size()) + 1, 0);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < r.size(); ++i) {
    const std::uint64_t s = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
    r[i] = static_cast<std::uint32_t>(s);
    carry = s >> 32;
  }
  Normalize(r);
  return r;
}

int Compare(const Natural& a, const Natural& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

std::string ToDecimal(Natural n) {
  if (n.empty()) return "0";
  std::string s;
  while (!n.empty()) {
    std::uint64_t rem = 0;
    for (std::size_t i = n.size(); i-- > 0;) {
      const std::uint64_t cur = (rem << 32) | n[i];
      n[i] = static_cast<std::uint32_t>(cur / 10);
      rem = cur % 10;
    }
    Normalize(n);
    s.push_back(static_cast<char>('0' + rem));
  }
  std::reverse(s.begin(), s.end());
  return s;
}

// A non-negative finite double as significand * 2^exponent.
struct Binary {
  std::uint64_t significand;
  std::int64_t exponent;
};

Binary Decompose(std::uint64_t bits) {
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const auto biased = static_cast<std::int64_t>((bits >> 52) & 0x7FF);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// Sign of a * 10^ea - b * 2^eb.
int CompareScaled(const Natural& a, std::int64_t ea, const Natural& b, std::int64_t eb) {
  Natural left = a;
  Natural right = b;
  if (ea >= 0)
    MulPow10(left, ea);
  else
    MulPow10(right, -ea);
  if (eb >= 0)
    Shl(right, eb);
  else
    Shl(left, -eb);
  return Compare(left, right);
}

// Increments a string of decimal digits; true on a carry out of the front.
bool Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return false;
    }
  }
  digits.insert(digits.begin(), '1');
  digits.pop_back();
  return true;
}

std::string StripTrailingZeros(std::string s) {
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  return s;
}

std::string Layout(const std::string& thirteen, int point) {
  const int x = point - 1;
  std::string text;
  if (x < -4 || x >= 13) {
    std::string fraction = thirteen.substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    text = thirteen.substr(0, 1) + (fraction.empty() ? "" : "." + fraction);
    const int m = x < 0 ? -x : x;
    text += std::string("e") + (x < 0 ? "-" : "+") + static_cast<char>('0' + m / 100) +
            static_cast<char>('0' + m / 10 % 10) + static_cast<char>('0' + m % 10);
    return text;
  }
  std::string whole;
  std::string fraction;
  if (point >= 1) {
    whole = thirteen.substr(0, point);
    fraction = thirteen.substr(point);
  } else {
    whole = "0";
    fraction = std::string(-point, '0') + thirteen;
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? whole : whole + "." + fraction;
}

}  // namespace

std::string NumberText(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const std::string sign = negative ? "-" : "";
  if ((bits << 1) == 0) return "0";
  if (((bits >> 52) & 0x7FF) == 0x7FF) {
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (fraction == 0) return sign + "1.#INF";
    const std::uint64_t quiet = bits | (std::uint64_t{1} << 51);
    return sign + (quiet == 0xFFF8000000000000 ? "1.#IND" : "1.#QNAN");
  }
  // Exact expansion: significand * 2^e = (significand * 5^-e) * 10^e for e < 0.
  const Binary b = Decompose(bits);
  Natural n = FromUint(b.significand);
  std::int64_t decimal_exponent = 0;
  if (b.exponent >= 0) {
    Shl(n, b.exponent);
  } else {
    for (std::int64_t i = 0; i < -b.exponent; ++i) MulSmall(n, 5);
    decimal_exponent = b.exponent;
  }
  const std::string all = ToDecimal(n);
  int point = static_cast<int>(static_cast<std::int64_t>(all.size()) + decimal_exponent);

  std::string eighteen = (all + std::string(18, '0')).substr(0, 18);
  std::string seventeen = eighteen.substr(0, 17);
  if (eighteen[17] >= '5' && Increment(seventeen)) ++point;
  seventeen = StripTrailingZeros(seventeen);

  std::string thirteen = (seventeen + std::string(13, '0')).substr(0, 13);
  if (seventeen.size() >= 14 && seventeen[13] >= '5' && Increment(thirteen)) ++point;
  return sign + Layout(thirteen, point);
}

double NearestDouble(bool negative, const std::string& digits, std::int64_t exponent) {
  Natural d;
  for (const char c : digits) {
    MulSmall(d, 10);
    AddSmall(d, static_cast<std::uint32_t>(c - '0'));
  }
  Normalize(d);
  const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;
  if (d.empty()) return std::bit_cast<double>(sign);

  // Largest finite bit pattern whose value is <= v, by bisection.
  std::uint64_t low = 0;                    // value 0 <= v
  std::uint64_t high = 0x7FF0000000000000;  // infinity
  while (high - low > 1) {
    const std::uint64_t mid = low + (high - low) / 2;
    const Binary b = Decompose(mid);
    if (CompareScaled(d, exponent, FromUint(b.significand), b.exponent) >= 0) {
      low = mid;
    } else {
      high = mid;
    }
  }
  // Compare v with the midpoint of low and low + 1 ulp (2^1024 past the top).
  const Binary lo = Decompose(low);
  Binary hi{};
  if (low + 1 == 0x7FF0000000000000) {
    hi = {std::uint64_t{1} << 53, 1024 - 53};
  } else {
    hi = Decompose(low + 1);
  }
  const std::int64_t common = std::min(lo.exponent, hi.exponent);
  Natural a = FromUint(lo.significand);
  Shl(a, lo.exponent - common);
  Natural c = FromUint(hi.significand);
  Shl(c, hi.exponent - common);
  const Natural twice_mid = Add(a, c);  // (lo + hi) * 2^common
  Natural twice_v = d;
  MulSmall(twice_v, 2);
  const bool up = CompareScaled(twice_v, exponent, twice_mid, common) > 0;
  return std::bit_cast<double>((up ? low + 1 : low) | sign);
}

Decimal ExactDecimal(std::uint64_t significand, std::int64_t binary_exponent) {
  // significand * 2^-n = (significand * 5^n) * 10^-n
  Natural n = FromUint(significand);
  std::int64_t exponent = 0;
  if (binary_exponent >= 0) {
    Shl(n, binary_exponent);
  } else {
    for (std::int64_t i = 0; i < -binary_exponent; ++i) MulSmall(n, 5);
    exponent = binary_exponent;
  }
  std::string digits = ToDecimal(n);
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  return {digits, exponent};
}

int CompareWithPowerOfTen(std::uint64_t high, std::uint64_t low, std::int64_t binary_exponent,
                          std::int64_t k) {
  Natural value = FromUint(low);
  Natural upper = FromUint(high);
  Shl(upper, 64);
  value = Add(value, upper);
  return -CompareScaled(FromUint(1), k, value, binary_exponent);
}

}  // namespace tamrel::reference
