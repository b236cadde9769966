#include "runtime/Convert.hpp"

#include "tipolaria/database.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Rewrites a regional number ("-1.234,5E3") as invariant text ("-1234.5e3"),
// or nothing when the text is not a number. A grouping dot must follow a digit
// of the whole part; the original runtime does not check that groups hold
// three digits, so neither does this.
std::optional<std::string> RegionalToInvariant(std::string_view text) {
  text = TrimBlanks(text);
  std::string out;
  std::size_t i = 0;
  const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  if (at(i) == '+' || at(i) == '-') {
    if (text[i++] == '-') out.push_back('-');
    while (IsBlank(at(i))) ++i;
  }
  bool any_digit = false;
  for (; IsDigit(at(i)) || (at(i) == '.' && any_digit); ++i) {
    if (text[i] != '.') {
      out.push_back(text[i]);
      any_digit = true;
    }
  }
  if (at(i) == ',') {
    out.push_back('.');
    for (++i; IsDigit(at(i)); ++i, any_digit = true) out.push_back(text[i]);
  }
  if (!any_digit) return std::nullopt;
  if (at(i) == 'e' || at(i) == 'E') {
    out.push_back('e');
    ++i;
    if (at(i) == '+' || at(i) == '-') out.push_back(text[i++]);
    if (!IsDigit(at(i))) return std::nullopt;
    for (; IsDigit(at(i)); ++i) out.push_back(text[i]);
  }
  if (i != text.size()) return std::nullopt;
  return out;
}

// A finite Double rounded to 15 significant digits, in scientific notation
// ("2.34500000000000e+00").
std::string Scientific15(double value) {
  if (!std::isfinite(value)) RaiseRuntimeError(kErrOverflow);
  char buffer[64];
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  return std::string(buffer, r.ptr);
}

std::string DoubleToText(double value) {
  const std::string scientific = Scientific15(value);
  const std::size_t e = scientific.find('e');
  const int exponent = std::atoi(scientific.c_str() + e + 1);
  if (value == 0 || (exponent < 15 && exponent >= -14)) {
    return NumberToText(*Decimal::Parse(scientific));
  }
  // Plain digits would need more places than a Decimal has: "1,5E+20".
  std::string mantissa = scientific.substr(0, e);
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.pop_back();
  for (char& c : mantissa) {
    if (c == '.') c = ',';
  }
  return mantissa + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
}

// Rounds half to even to a whole number within [low, high], else Overflow.
std::int64_t ToWholeInRange(const Value& value, std::int64_t low, std::int64_t high) {
  std::int64_t whole = 0;
  if (value.kind() == Value::Kind::kInteger) {
    whole = value.AsInteger();
  } else if (value.kind() == Value::Kind::kDouble) {
    const double v = value.AsDouble();
    if (!std::isfinite(v)) RaiseRuntimeError(kErrOverflow);
    double r = std::floor(v);
    const double rest = v - r;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
    if (r < static_cast<double>(low) || r > static_cast<double>(high)) {
      RaiseRuntimeError(kErrOverflow);
    }
    whole = static_cast<std::int64_t>(r);
  } else {
    const std::optional<std::int64_t> w = ValueToDecimal(value).RoundHalfEven(0).ToInt64();
    if (!w) RaiseRuntimeError(kErrOverflow);
    whole = *w;
  }
  if (whole < low || whole > high) RaiseRuntimeError(kErrOverflow);
  return whole;
}

}  // namespace

std::string NumberToText(const Decimal& value) {
  std::string text = value.ToString();
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

std::string DateToText(const DateTime& value) {
  char buffer[48];
  if (value.IsMidnight()) {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", value.day, value.month, value.year);
  } else {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d %02d:%02d:%02d", value.day, value.month,
                  value.year, value.hour, value.minute, value.second);
  }
  return buffer;
}

std::string ValueToText(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      RaiseRuntimeError(kErrInvalidUseOfNull);
    case Value::Kind::kInteger:
      return std::to_string(value.AsInteger());
    case Value::Kind::kDecimal:
      return NumberToText(value.AsDecimal());
    case Value::Kind::kDouble:
      return DoubleToText(value.AsDouble());
    case Value::Kind::kText:
      return value.AsText();
    case Value::Kind::kDate:
      return DateToText(value.AsDate());
    case Value::Kind::kBoolean:
      return value.AsBoolean() ? "True" : "False";
  }
  RaiseRuntimeError(kErrTypeMismatch);
}

FieldValue ValueToFieldValue(const Value& value) {
  FieldValue out;
  out.is_null = value.IsNull();
  out.is_number = value.IsNumeric();
  if (out.is_number) out.number = ValueToDouble(value);
  if (!out.is_null) out.text = ValueToText(value);
  return out;
}

std::optional<Decimal> ParseRegionalNumber(std::string_view text) {
  const std::optional<std::string> invariant = RegionalToInvariant(text);
  if (!invariant) return std::nullopt;
  return Decimal::Parse(*invariant);
}

Decimal DoubleToDecimal(double value) { return *Decimal::Parse(Scientific15(value)); }

Decimal ValueToDecimal(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      RaiseRuntimeError(kErrInvalidUseOfNull);
    case Value::Kind::kInteger:
      return Decimal(value.AsInteger());
    case Value::Kind::kDecimal:
      return value.AsDecimal();
    case Value::Kind::kDouble:
      return DoubleToDecimal(value.AsDouble());
    case Value::Kind::kText:
      if (std::optional<Decimal> d = ParseRegionalNumber(value.AsText())) return *d;
      RaiseRuntimeError(kErrTypeMismatch);
    case Value::Kind::kDate:
      return DoubleToDecimal(value.AsDate().ToSerial());
    case Value::Kind::kBoolean:
      return Decimal(value.AsBoolean() ? -1 : 0);
  }
  RaiseRuntimeError(kErrTypeMismatch);
}

double ValueToDouble(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      RaiseRuntimeError(kErrInvalidUseOfNull);
    case Value::Kind::kInteger:
      return static_cast<double>(value.AsInteger());
    case Value::Kind::kDecimal:
      return value.AsDecimal().ToDouble();
    case Value::Kind::kDouble:
      return value.AsDouble();
    case Value::Kind::kText: {
      // Read straight into a Double: its range is far wider than a Decimal's.
      const std::optional<std::string> invariant = RegionalToInvariant(value.AsText());
      if (!invariant) RaiseRuntimeError(kErrTypeMismatch);
      double d = 0;
      const std::from_chars_result r =
          std::from_chars(invariant->data(), invariant->data() + invariant->size(), d);
      if (r.ec == std::errc::result_out_of_range) {
        // Too small is zero; too large is Overflow.
        if (ParseRegionalNumber(value.AsText())->IsZero()) return 0.0;
      }
      if (r.ec != std::errc() || !std::isfinite(d)) RaiseRuntimeError(kErrOverflow);
      return d;
    }
    case Value::Kind::kDate:
      return value.AsDate().ToSerial();
    case Value::Kind::kBoolean:
      return value.AsBoolean() ? -1.0 : 0.0;
  }
  RaiseRuntimeError(kErrTypeMismatch);
}

std::int16_t ValueToInt16(const Value& value) {
  return static_cast<std::int16_t>(ToWholeInRange(value, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

std::int32_t ValueToInt32(const Value& value) {
  return static_cast<std::int32_t>(ToWholeInRange(value, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
}

bool ValueToBoolean(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      RaiseRuntimeError(kErrInvalidUseOfNull);
    case Value::Kind::kBoolean:
      return value.AsBoolean();
    case Value::Kind::kInteger:
      return value.AsInteger() != 0;
    case Value::Kind::kDouble:
      return value.AsDouble() != 0;
    case Value::Kind::kDecimal:
      return !value.AsDecimal().IsZero();
    case Value::Kind::kDate:
      return value.AsDate().ToSerial() != 0;
    case Value::Kind::kText: {
      const std::string_view text = TrimBlanks(value.AsText());
      const auto equals_ignoring_case = [&](std::string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
          const char c =
              text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
          if (c != word[i]) return false;
        }
        return true;
      };
      if (equals_ignoring_case("true")) return true;
      if (equals_ignoring_case("false")) return false;
      if (std::optional<Decimal> d = ParseRegionalNumber(text)) return !d->IsZero();
      RaiseRuntimeError(kErrTypeMismatch);
    }
  }
  RaiseRuntimeError(kErrTypeMismatch);
}

std::int16_t CheckedInt16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    RaiseRuntimeError(kErrOverflow);
  }
  return static_cast<std::int16_t>(value);
}

std::int16_t CheckedPageNumber(std::int64_t page) {
  if (page > std::numeric_limits<std::int16_t>::max()) {
    throw ComError(kErrOverflow, kRuntimeSource,
                   RuntimeErrorDescription(kErrOverflow) +
                       ": the declaration has more pages than the form can number (at most " +
                       std::to_string(std::numeric_limits<std::int16_t>::max()) + ")");
  }
  return CheckedInt16(page);
}

std::int32_t CheckedInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    RaiseRuntimeError(kErrOverflow);
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tipolaria
