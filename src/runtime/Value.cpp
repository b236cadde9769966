#include "runtime/Value.hpp"

#include <cmath>
#include <cstdio>

namespace tipolaria {
namespace {

constexpr int kSecondsPerDay = 86400;
// Days from 1970-01-01 to the original runtime's day zero, 30/12/1899.
constexpr std::int64_t kSerialEpoch = -25569;

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// A small reader over fixed-shape date text.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Between `min` and `max` digits, read greedily up to `max`.
  bool Number(int min, int max, int& out) {
    int n = 0;
    out = 0;
    while (n < max && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      out = out * 10 + (text_[pos_++] - '0');
      ++n;
    }
    return n >= min;
  }
  void SkipDigits() {
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool ReadTime(Cursor& in, DateTime& out) {
  return in.Number(1, 2, out.hour) && in.Take(':') && in.Number(2, 2, out.minute) && in.Take(':') &&
         in.Number(2, 2, out.second);
}

std::optional<DateTime> Checked(const DateTime& d) {
  if (!d.IsValid()) return std::nullopt;
  return d;
}

}  // namespace

bool DateTime::IsValid() const {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
         minute <= 59 && second >= 0 && second <= 59;
}

std::optional<DateTime> DateTime::ParseIso(std::string_view text) {
  Cursor in(text);
  DateTime d;
  if (!in.Number(4, 4, d.year) || !in.Take('-') || !in.Number(2, 2, d.month) || !in.Take('-') ||
      !in.Number(2, 2, d.day)) {
    return std::nullopt;
  }
  if (in.AtEnd()) return Checked(d);
  if (!(in.Take(' ') || in.Take('T')) || !in.Number(2, 2, d.hour) || !in.Take(':') ||
      !in.Number(2, 2, d.minute) || !in.Take(':') || !in.Number(2, 2, d.second)) {
    return std::nullopt;
  }
  if (in.Take('.')) {
    int ignored = 0;
    if (!in.Number(1, 1, ignored)) return std::nullopt;
    in.SkipDigits();
  }
  if (!in.AtEnd()) return std::nullopt;
  return Checked(d);
}

std::optional<DateTime> DateTime::ParseDmy(std::string_view text) {
  Cursor in(text);
  DateTime d;
  if (!in.Number(1, 2, d.day) || !in.Take('/') || !in.Number(1, 2, d.month) || !in.Take('/') ||
      !in.Number(4, 4, d.year)) {
    return std::nullopt;
  }
  if (!in.AtEnd() && (!in.Take(' ') || !ReadTime(in, d) || !in.AtEnd())) return std::nullopt;
  return Checked(d);
}

std::string DateTime::ToIso() const {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                minute, second);
  return buffer;
}

double DateTime::ToSerial() const {
  const std::int64_t days = DaysFromCivil(year, month, day) - kSerialEpoch;
  const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

std::optional<DateTime> DateTime::FromSerial(double serial) {
  // 01/01/0100 and 31/12/9999, the ends of the original runtime's dates.
  if (!(serial > -657435.0 && serial < 2958466.0)) return std::nullopt;
  std::int64_t days = static_cast<std::int64_t>(std::trunc(serial));
  std::int64_t seconds = std::llround(std::fabs(serial - std::trunc(serial)) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++days;
  }
  DateTime d;
  CivilFromDays(days + kSerialEpoch, d.year, d.month, d.day);
  d.hour = static_cast<int>(seconds / 3600);
  d.minute = static_cast<int>(seconds / 60 % 60);
  d.second = static_cast<int>(seconds % 60);
  return Checked(d);
}

}  // namespace tipolaria
