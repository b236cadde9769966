#include "runtime/Decimal.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using u128 = unsigned __int128;

constexpr u128 kMaxCoefficient = (u128(1) << 96) - 1;
// Digits of the largest coefficient. A u128 holds any 30 digits (10^30 <
// 2^100), so a candidate coefficient is built from its digits without care.
constexpr int kMaxDigits = 29;

u128 Pow10(int n) {
  u128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

u128 Magnitude(__int128 c) { return c < 0 ? u128(0) - u128(c) : u128(c); }

std::string ToDigits(u128 v) {
  if (v == 0) return "0";
  std::string out;
  while (v != 0) {
    out.push_back(static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  }
  std::reverse(out.begin(), out.end());
  return out;
}

void StripLeadingZeros(std::string& digits) {
  const std::size_t first = digits.find_first_not_of('0');
  digits.erase(0, first == std::string::npos ? digits.size() : first);
}

// The first `keep` digits as a number, plus one when the first digit dropped
// is 5 or more: rounding half away from zero needs no other dropped digit.
// Nothing when the result exceeds the coefficient's range.
std::optional<u128> RoundDigits(const std::string& digits, int keep) {
  const int n = static_cast<int>(digits.size());
  if (keep < 0) return u128(0);
  if (keep > kMaxDigits + 1) return std::nullopt;
  u128 value = 0;
  for (int i = 0; i < keep; ++i) value = value * 10 + static_cast<unsigned>(digits[i] - '0');
  if (keep < n && digits[keep] >= '5') ++value;
  if (value > kMaxCoefficient) return std::nullopt;
  return value;
}

// Schoolbook arithmetic on magnitudes written as decimal digits, for the rare
// results that do not fit 128 bits before they are rounded to a Decimal.
std::string MulDigits(const std::string& a, const std::string& b) {
  std::vector<unsigned> acc(a.size() + b.size(), 0);
  for (std::size_t i = a.size(); i-- > 0;) {
    for (std::size_t j = b.size(); j-- > 0;) {
      acc[i + j + 1] += static_cast<unsigned>(a[i] - '0') * static_cast<unsigned>(b[j] - '0');
    }
  }
  for (std::size_t k = acc.size(); k-- > 1;) {
    acc[k - 1] += acc[k] / 10;
    acc[k] %= 10;
  }
  std::string out;
  for (unsigned d : acc) out.push_back(static_cast<char>('0' + d));
  return out;
}

int CompareDigits(std::string a, std::string b) {
  StripLeadingZeros(a);
  StripLeadingZeros(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// a + b, or a - b when `subtract` (then a must not be less than b).
std::string AddDigits(const std::string& a, const std::string& b, bool subtract) {
  const std::size_t n = std::max(a.size(), b.size()) + 1;
  std::string out(n, '0');
  int carry = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const int da = k < a.size() ? a[a.size() - 1 - k] - '0' : 0;
    const int db = k < b.size() ? b[b.size() - 1 - k] - '0' : 0;
    int d = subtract ? da - db - carry : da + db + carry;
    carry = 0;
    if (d < 0) {
      d += 10;
      carry = 1;
    } else if (d > 9) {
      d -= 10;
      carry = 1;
    }
    out[n - 1 - k] = static_cast<char>('0' + d);
  }
  return out;
}

int Sign(__int128 c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

}  // namespace

Decimal Decimal::FromDigits(bool negative, std::string digits, int scale) {
  StripLeadingZeros(digits);
  if (digits.empty()) return Decimal(0, std::clamp(scale, 0, kMaxScale));
  if (scale < 0) {
    if (static_cast<long long>(digits.size()) - scale > kMaxDigits) {
      RaiseRuntimeError(kErrOverflow);
    }
    digits.append(static_cast<std::size_t>(-scale), '0');
    scale = 0;
  }
  const int n = static_cast<int>(digits.size());
  // Round once from the exact digits, dropping as few as make the result fit:
  // rounding twice (first to 29 digits, then to 28) could round a 4 followed
  // by a 5 up.
  for (int drop = std::max({0, scale - kMaxScale, n - kMaxDigits});; ++drop) {
    if (drop > scale) RaiseRuntimeError(kErrOverflow);
    if (const std::optional<u128> m = RoundDigits(digits, n - drop)) {
      const __int128 c = static_cast<__int128>(*m);
      return Decimal(negative ? -c : c, scale - drop);
    }
  }
}

Decimal Decimal::Make(__int128 coefficient, int scale) {
  if (scale >= 0 && scale <= kMaxScale && Magnitude(coefficient) <= kMaxCoefficient) {
    return Decimal(coefficient, scale);
  }
  return FromDigits(coefficient < 0, ToDigits(Magnitude(coefficient)), scale);
}

std::optional<Decimal> Decimal::Parse(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::size_t i = 0;
  const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };

  bool negative = false;
  if (at(i) == '+' || at(i) == '-') negative = text[i++] == '-';
  std::string digits;
  int fraction_digits = 0;
  bool any_digit = false;
  for (; is_digit(at(i)); ++i, any_digit = true) digits.push_back(text[i]);
  if (at(i) == '.') {
    for (++i; is_digit(at(i)); ++i, any_digit = true, ++fraction_digits) digits.push_back(text[i]);
  }
  if (!any_digit) return std::nullopt;
  long exponent = 0;
  if (at(i) == 'e' || at(i) == 'E') {
    ++i;
    bool exponent_negative = false;
    if (at(i) == '+' || at(i) == '-') exponent_negative = text[i++] == '-';
    if (!is_digit(at(i))) return std::nullopt;
    // Saturated: any exponent this large already over- or underflows.
    for (; is_digit(at(i)); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
    if (exponent_negative) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;

  // Only the first 30 significant digits can matter: the result keeps at most
  // 29 and rounding half away from zero looks at the first digit dropped.
  long scale = fraction_digits - exponent;
  StripLeadingZeros(digits);
  if (digits.size() > kMaxDigits + 1) {
    scale -= static_cast<long>(digits.size()) - (kMaxDigits + 1);
    digits.resize(kMaxDigits + 1);
  }
  scale = std::clamp(scale, -200000L, 200000L);
  return FromDigits(negative, std::move(digits), static_cast<int>(scale));
}

Decimal Decimal::FromDouble(double value) {
  if (!std::isfinite(value)) RaiseRuntimeError(kErrOverflow);
  char buffer[64];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return *Parse(std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer)));
}

std::string Decimal::ToString() const {
  std::string digits = ToDigits(Magnitude(coefficient_));
  if (scale_ > 0) {
    if (static_cast<int>(digits.size()) <= scale_) {
      digits.insert(0, static_cast<std::size_t>(scale_ + 1) - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(scale_), 1, '.');
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
  }
  return coefficient_ < 0 ? "-" + digits : digits;
}

double Decimal::ToDouble() const {
  const std::string text = ToString();
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

Decimal Decimal::RoundTo(int places, bool half_even) const {
  if (places < 0) RaiseRuntimeError(kErrInvalidProcedureCall);
  if (places >= scale_) return *this;
  const u128 unit = Pow10(scale_ - places);
  const u128 m = Magnitude(coefficient_);
  u128 q = m / unit;
  const u128 twice_rest = (m % unit) * 2;
  if (twice_rest > unit || (twice_rest == unit && (!half_even || q % 2 == 1))) ++q;
  const __int128 c = static_cast<__int128>(q);
  return Decimal(coefficient_ < 0 ? -c : c, places);
}

Decimal Decimal::Round(int places) const { return RoundTo(places, false); }

Decimal Decimal::RoundHalfEven(int places) const { return RoundTo(places, true); }

Decimal Decimal::Truncate() const {
  return Decimal(coefficient_ / static_cast<__int128>(Pow10(scale_)), 0);
}

std::optional<std::int64_t> Decimal::ToInt64() const {
  const __int128 whole = Truncate().coefficient_;
  if (whole < std::numeric_limits<std::int64_t>::min() ||
      whole > std::numeric_limits<std::int64_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(whole);
}

Decimal Decimal::operator-() const { return Decimal(-coefficient_, scale_); }

Decimal operator+(const Decimal& a, const Decimal& b) {
  const int scale = std::max(a.scale_, b.scale_);
  __int128 x = 0;
  __int128 y = 0;
  __int128 sum = 0;
  if (!__builtin_mul_overflow(a.coefficient_, static_cast<__int128>(Pow10(scale - a.scale_)), &x) &&
      !__builtin_mul_overflow(b.coefficient_, static_cast<__int128>(Pow10(scale - b.scale_)), &y) &&
      !__builtin_add_overflow(x, y, &sum)) {
    return Decimal::Make(sum, scale);
  }
  // Far apart scales of large values: add the aligned digits exactly.
  std::string da = ToDigits(Magnitude(a.coefficient_)) + std::string(scale - a.scale_, '0');
  std::string db = ToDigits(Magnitude(b.coefficient_)) + std::string(scale - b.scale_, '0');
  if (a.IsNegative() == b.IsNegative()) {
    return Decimal::FromDigits(a.IsNegative(), AddDigits(da, db, false), scale);
  }
  if (CompareDigits(da, db) >= 0) {
    return Decimal::FromDigits(a.IsNegative(), AddDigits(da, db, true), scale);
  }
  return Decimal::FromDigits(b.IsNegative(), AddDigits(db, da, true), scale);
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
  const int scale = a.scale_ + b.scale_;
  __int128 product = 0;
  if (!__builtin_mul_overflow(a.coefficient_, b.coefficient_, &product)) {
    return Decimal::Make(product, scale);
  }
  return Decimal::FromDigits(
      a.IsNegative() != b.IsNegative(),
      MulDigits(ToDigits(Magnitude(a.coefficient_)), ToDigits(Magnitude(b.coefficient_))), scale);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
  if (b.IsZero()) RaiseRuntimeError(kErrDivisionByZero);
  if (a.IsZero()) return Decimal();
  // Long division, one quotient digit at a time, past the dividend's digits
  // until the quotient holds 31 significant digits (or ends exactly): enough
  // for the one rounding that fits it into a Decimal. The remainder stays
  // below the divisor (< 2^96), so remainder * 10 + 9 fits 128 bits.
  const u128 divisor = Magnitude(b.coefficient_);
  const std::string dividend = ToDigits(Magnitude(a.coefficient_));
  std::string quotient;
  u128 rest = 0;
  int extra = 0;
  int significant = 0;
  for (std::size_t i = 0;; ++i) {
    unsigned digit = 0;
    if (i < dividend.size()) {
      digit = static_cast<unsigned>(dividend[i] - '0');
    } else {
      if (rest == 0 || significant > kMaxDigits + 1) break;
      ++extra;
    }
    rest = rest * 10 + digit;
    const char q = static_cast<char>('0' + static_cast<int>(rest / divisor));
    rest %= divisor;
    if (q != '0' || significant > 0) ++significant;
    quotient.push_back(q);
  }
  Decimal result = Decimal::FromDigits(a.IsNegative() != b.IsNegative(), std::move(quotient),
                                       a.scale_ - b.scale_ + extra);
  // A quotient carries no trailing zeros after the point (10 / 4 is 2.5).
  while (result.scale_ > 0 && result.coefficient_ % 10 == 0) {
    result.coefficient_ /= 10;
    --result.scale_;
  }
  return result;
}

bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  const int sa = Sign(a.coefficient_);
  const int sb = Sign(b.coefficient_);
  if (sa != sb) return sa <=> sb;
  // Compare whole parts, then fractions widened to 28 places: both fit 128
  // bits where aligning the full coefficients might not.
  const auto parts = [](const Decimal& d) {
    const u128 m = Magnitude(d.coefficient_);
    const u128 unit = Pow10(d.scale_);
    return std::pair<u128, u128>(m / unit, (m % unit) * Pow10(Decimal::kMaxScale - d.scale_));
  };
  const auto [wa, fa] = parts(a);
  const auto [wb, fb] = parts(b);
  std::strong_ordering order = std::strong_ordering::equal;
  if (wa != wb) {
    order = wa < wb ? std::strong_ordering::less : std::strong_ordering::greater;
  } else if (fa != fb) {
    order = fa < fb ? std::strong_ordering::less : std::strong_ordering::greater;
  }
  return sa < 0 ? 0 <=> order : order;
}

}  // namespace tipolaria
