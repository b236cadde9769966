// An exact decimal number: a signed integer coefficient and a scale (the
// number of digits after the point, 0 to 28), like the original runtime's
// Decimal: the coefficient's magnitude stays below 2^96, that is up to
// 79228162514264337593543950335 (28 significant digits always fit, 29 when
// below that bound). Amounts, weights and rates are carried in it so that
// nothing is rounded through binary floating point. Results that need more
// digits than fit are rounded half away from zero; a whole part too large is
// Overflow (error 6).
#ifndef TIPOLARIA_RUNTIME_DECIMAL_HPP_
#define TIPOLARIA_RUNTIME_DECIMAL_HPP_

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tipolaria {

class Decimal {
 public:
  static constexpr int kMaxScale = 28;

  Decimal() = default;  // zero
  explicit Decimal(std::int64_t value) : coefficient_(value), scale_(0) {}

  // Parses invariant text: optional sign, digits, optional "." and digits,
  // optional exponent ("1.5E-3"). Surrounding blanks are allowed. Returns
  // nothing for text that is not a number; digits past 28 significant ones are
  // rounded half away from zero; a value too large fails with Overflow.
  static std::optional<Decimal> Parse(std::string_view text);

  // The exact value of the shortest decimal text that reads back as `value`
  // (12.1 gives 12.1, not 12.0999...). Non-finite values fail with Overflow.
  static Decimal FromDouble(double value);

  // Shortest invariant text: no exponent, "." as decimal point, no trailing
  // zeros after the point, "-" for negatives, "0" for zero.
  std::string ToString() const;
  double ToDouble() const;

  // Rounded half away from zero to `places` digits after the point. A
  // negative `places` is "Invalid procedure call or argument" (5).
  Decimal Round(int places) const;
  // Rounded half to even ("banker's rounding") to `places` digits, the rule
  // of the original runtime's integer conversions (2.5 gives 2, 3.5 gives 4).
  Decimal RoundHalfEven(int places) const;
  // Whole part, truncated toward zero.
  Decimal Truncate() const;
  // The whole part (truncated toward zero) as a 64-bit integer; nothing when
  // it does not fit.
  std::optional<std::int64_t> ToInt64() const;

  bool IsZero() const { return coefficient_ == 0; }
  bool IsNegative() const { return coefficient_ < 0; }
  int scale() const { return scale_; }

  Decimal operator-() const;
  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  // Division to 28 significant digits; division by zero fails with
  // "Division by zero" (error 11).
  friend Decimal operator/(const Decimal& a, const Decimal& b);
  Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
  Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
  Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
  Decimal& operator/=(const Decimal& b) { return *this = *this / b; }

  friend bool operator==(const Decimal& a, const Decimal& b);
  friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

 private:
  Decimal(__int128 coefficient, int scale) : coefficient_(coefficient), scale_(scale) {}

  // The nearest Decimal to `coefficient` / 10^scale for any scale, rounding
  // away digits that do not fit.
  static Decimal Make(__int128 coefficient, int scale);
  // The same for a magnitude given as decimal digits (any length).
  static Decimal FromDigits(bool negative, std::string digits, int scale);
  Decimal RoundTo(int places, bool half_even) const;

  __int128 coefficient_ = 0;
  int scale_ = 0;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_DECIMAL_HPP_
