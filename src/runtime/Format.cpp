#include "runtime/Format.hpp"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "runtime/Convert.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

// The patterns are read by a small engine rather than matched one by one, so
// that a new pattern of the same kind ("#,##0.0", "000") works as the original
// runtime formats it. What the engine does not understand (sections, percent,
// exponents, quoted literals, scaling commas, named formats) is refused
// instead of being printed wrongly.
[[noreturn]] void RaiseUnsupported(std::string_view pattern) {
  throw ComError(kErrInvalidProcedureCall, kRuntimeSource,
                 RuntimeErrorDescription(kErrInvalidProcedureCall) + ": display pattern \"" +
                     std::string(pattern) + "\" is not supported");
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// Characters the original runtime prints as they stand in a numeric pattern.
bool IsNumericLiteral(char c) {
  return c == ' ' || c == '-' || c == '+' || c == '(' || c == ')' || c == '$';
}

bool IsDateLetter(char c) {
  switch (c | 0x20) {
    case 'd':
    case 'm':
    case 'y':
    case 'h':
    case 'n':
    case 's':
      return true;
    default:
      return false;
  }
}

bool IsDateLiteral(char c) {
  return c == ' ' || c == '/' || c == '-' || c == ':' || c == '.' || c == ',';
}

// A numeric pattern: the whole part's placeholders and literals (grouping
// commas taken out), and those after the point.
struct NumericPattern {
  std::string whole;
  bool grouping = false;
  bool point = false;
  std::string fraction;
  int places = 0;
};

std::optional<NumericPattern> ParseNumericPattern(std::string_view pattern) {
  NumericPattern p;
  const std::size_t dot = pattern.find('.');
  const std::string_view whole = pattern.substr(0, dot);
  const std::size_t first = whole.find_first_of("0#");
  const std::size_t last = whole.find_last_of("0#");
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const char c = whole[i];
    if (c == ',') {
      // Only a comma between digit places groups thousands; one after the
      // last place scales the number by a thousand, which no print uses.
      if (first == std::string_view::npos || i < first || i > last) return std::nullopt;
      p.grouping = true;
    } else if (IsPlaceholder(c) || IsNumericLiteral(c)) {
      p.whole.push_back(c);
    } else {
      return std::nullopt;
    }
  }
  if (p.grouping) {
    const std::size_t from = p.whole.find_first_of("0#");
    const std::size_t to = p.whole.find_last_of("0#");
    if (p.whole.find_first_not_of("0#", from) < to) return std::nullopt;  // literals in groups
  }
  if (dot != std::string_view::npos) {
    p.point = true;
    for (const char c : pattern.substr(dot + 1)) {
      if (IsPlaceholder(c)) {
        ++p.places;
      } else if (!IsNumericLiteral(c)) {
        return std::nullopt;
      }
      p.fraction.push_back(c);
    }
  }
  if (first == std::string_view::npos && p.places == 0) return std::nullopt;
  return p;
}

std::string Grouped(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back('.');
    out.push_back(digits[i]);
  }
  return out;
}

// The whole part: digits fill the places from the right; digits beyond the
// places go where the leftmost place is (12345 with "0000" is 12345), and
// literals between places stay where they are ("00-00000000-0").
std::string RenderWhole(const NumericPattern& p, std::string digits) {
  const std::size_t first = p.whole.find_first_of("0#");
  if (first == std::string::npos) return p.whole + digits;
  const std::size_t zero = p.whole.find('0');
  const std::size_t min_digits =
      zero == std::string::npos
          ? 0
          : static_cast<std::size_t>(std::count_if(p.whole.begin() + static_cast<long>(zero),
                                                   p.whole.end(), IsPlaceholder));
  if (digits.size() < min_digits) digits.insert(0, min_digits - digits.size(), '0');
  if (p.grouping) {
    const std::size_t last = p.whole.find_last_of("0#");
    return p.whole.substr(0, first) + Grouped(digits) + p.whole.substr(last + 1);
  }
  std::string reversed;
  std::size_t left = digits.size();
  for (std::size_t k = p.whole.size(); k-- > 0;) {
    const char c = p.whole[k];
    if (!IsPlaceholder(c)) {
      reversed.push_back(c);
    } else if (k == first) {
      while (left > 0) reversed.push_back(digits[--left]);
    } else if (left > 0) {
      reversed.push_back(digits[--left]);
    }
  }
  return std::string(reversed.rbegin(), reversed.rend());
}

std::string RenderNumber(const Decimal& value, const NumericPattern& p) {
  // The sign is the value's own: a small negative amount that rounds to zero
  // prints as "-0,00", as the original runtime prints it.
  const bool negative = value.IsNegative();
  const Decimal rounded = value.Round(p.places);
  const std::string text = (negative ? -rounded : rounded).ToString();
  const std::size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  fraction.resize(static_cast<std::size_t>(p.places), '0');
  if (whole == "0") whole.clear();

  std::string out = negative ? "-" : "";
  out += RenderWhole(p, std::move(whole));
  if (!p.point) return out;
  // Trailing zeros in "#" places are left out; "0" places always show.
  std::size_t shown = fraction.size();
  for (std::size_t k = p.fraction.size(); k-- > 0 && shown > 0;) {
    const char c = p.fraction[k];
    if (!IsPlaceholder(c)) continue;
    if (c == '0' || fraction[shown - 1] != '0') break;
    --shown;
  }
  out.push_back(',');
  std::size_t next = 0;
  for (const char c : p.fraction) {
    if (!IsPlaceholder(c)) {
      out.push_back(c);
    } else if (next < shown) {
      out.push_back(fraction[next++]);
    }
  }
  return out;
}

struct DateToken {
  char letter;  // lower case, or 0 for a literal
  int count;
  char literal;
};

std::optional<std::vector<DateToken>> ParseDatePattern(std::string_view pattern) {
  std::vector<DateToken> tokens;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (!IsDateLetter(c)) {
      if (!IsDateLiteral(c)) return std::nullopt;
      tokens.push_back({0, 1, c});
      ++i;
      continue;
    }
    const char letter = static_cast<char>(c | 0x20);
    int count = 0;
    for (; i < pattern.size() && IsDateLetter(pattern[i]) && (pattern[i] | 0x20) == letter; ++i) {
      ++count;
    }
    const bool known = letter == 'y' ? (count == 2 || count == 4) : count <= 2;
    if (!known) return std::nullopt;
    // "m" right after an hour means minutes, as in the original runtime.
    char meaning = letter;
    if (letter == 'm') {
      for (auto t = tokens.rbegin(); t != tokens.rend(); ++t) {
        if (t->letter == 0) continue;
        if (t->letter == 'h') meaning = 'n';
        break;
      }
    }
    tokens.push_back({meaning, count, 0});
  }
  return tokens;
}

std::string RenderDate(const DateTime& d, const std::vector<DateToken>& tokens) {
  std::string out;
  char buffer[16];
  for (const DateToken& t : tokens) {
    int number = 0;
    switch (t.letter) {
      case 0:
        out.push_back(t.literal);
        continue;
      case 'd':
        number = d.day;
        break;
      case 'm':
        number = d.month;
        break;
      case 'y':
        number = t.count == 2 ? d.year % 100 : d.year;
        break;
      case 'h':
        number = d.hour;
        break;
      case 'n':
        number = d.minute;
        break;
      default:
        number = d.second;
        break;
    }
    std::snprintf(buffer, sizeof buffer, "%0*d", t.count, number);
    out += buffer;
  }
  return out;
}

std::string FormatDate(const Value& value, const std::vector<DateToken>& tokens) {
  std::optional<DateTime> date;
  switch (value.kind()) {
    case Value::Kind::kDate:
      date = value.AsDate();
      break;
    case Value::Kind::kText: {
      // Text that is not a date prints unchanged, as a numeric pattern
      // leaves text that is not a number.
      std::string_view text = value.AsText();
      while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
      while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
      date = DateTime::ParseDmy(text);
      if (!date) date = DateTime::ParseIso(text);
      if (!date) return value.AsText();
      break;
    }
    default:
      // Numbers (and Booleans) are date numbers; one outside the calendar
      // prints as the number itself.
      date = DateTime::FromSerial(ValueToDouble(value));
      if (!date) return ValueToText(value);
      break;
  }
  return RenderDate(*date, tokens);
}

}  // namespace

std::string Format(const Value& value, std::string_view pattern) {
  if (pattern.empty()) return value.IsNull() ? std::string() : ValueToText(value);
  if (std::any_of(pattern.begin(), pattern.end(), IsDateLetter)) {
    const std::optional<std::vector<DateToken>> tokens = ParseDatePattern(pattern);
    if (!tokens) RaiseUnsupported(pattern);
    if (value.IsNull() || (value.kind() == Value::Kind::kText && value.AsText().empty())) {
      return std::string();
    }
    return FormatDate(value, *tokens);
  }
  const std::optional<NumericPattern> numeric = ParseNumericPattern(pattern);
  if (!numeric) RaiseUnsupported(pattern);
  Decimal number;
  switch (value.kind()) {
    case Value::Kind::kNull:
      return std::string();
    case Value::Kind::kText:
      if (std::optional<Decimal> parsed = ParseRegionalNumber(value.AsText())) {
        number = *parsed;
        break;
      }
      return value.AsText();
    default:
      number = ValueToDecimal(value);
      break;
  }
  return RenderNumber(number, *numeric);
}

}  // namespace tipolaria
