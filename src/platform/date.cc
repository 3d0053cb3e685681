#include "platform/date.h"

#include <cmath>
#include <cstdio>

namespace pinlet {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long yy = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

const long kEpochOffset = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string TimeText(const Date::Parts& p, bool seconds) {
  int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
  char buffer[32];
  if (seconds)
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, p.minute, p.second,
                  p.hour < 12 ? "AM" : "PM");
  else
    std::snprintf(buffer, sizeof buffer, "%d:%02d %s", hour12, p.minute,
                  p.hour < 12 ? "AM" : "PM");
  return buffer;
}

}  // namespace

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
  long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
      kEpochOffset;
  return Date(static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0);
}

Date::Parts Date::ToParts() const {
  // Clamped first: converting a value beyond the range of long is undefined.
  double value = value_;
  if (!(value >= kMinValue)) value = std::isnan(value) ? 0 : kMinValue;
  if (value >= kEndValue) value = kEndValue - 1.0 / 86400;
  double whole = std::floor(value);
  long seconds = std::lround((value - whole) * 86400.0);
  long days = static_cast<long>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++days;
  }
  Parts p{};
  CivilFromDays(days + kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

std::optional<Date> Date::Parse(std::string_view text) {
  std::string s(text);
  int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0, used = 0;
  if (std::sscanf(s.c_str(), "%d/%d/%d%n", &month, &day, &year, &used) != 3)
    return std::nullopt;
  if (year < 100) year += year < 30 ? 2000 : 1900;
  if (month < 1 || month > 12 || day < 1 || year < 100 || year > 9999 ||
      day > DaysInMonth(year, month))
    return std::nullopt;
  std::string rest = s.substr(static_cast<size_t>(used));
  size_t start = rest.find_first_not_of(' ');
  if (start != std::string::npos) {
    char ampm[3] = {0};
    int n =
        std::sscanf(rest.c_str() + start, "%d:%d:%d %2s", &hour, &minute, &second, ampm);
    if (n < 3) {
      second = 0;
      n = std::sscanf(rest.c_str() + start, "%d:%d %2s", &hour, &minute, ampm);
      if (n < 2) return std::nullopt;
    }
    std::string marker(ampm);
    if (marker == "PM" || marker == "pm") {
      if (hour < 1 || hour > 12) return std::nullopt;
      hour = hour % 12 + 12;
    } else if (marker == "AM" || marker == "am") {
      if (hour < 1 || hour > 12) return std::nullopt;
      hour = hour % 12;
    } else if (!marker.empty()) {
      return std::nullopt;
    }
    if (hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
      return std::nullopt;
  }
  return FromParts(year, month, day, hour, minute, second);
}

std::string Date::ToGeneralString() const {
  Parts p = ToParts();
  std::string date = std::to_string(p.month) + "/" + std::to_string(p.day) + "/" +
                     std::to_string(p.year);
  if (p.hour == 0 && p.minute == 0 && p.second == 0) return date;
  return date + " " + TimeText(p, true);
}

std::string Date::ToShortString() const {
  Parts p = ToParts();
  char year[8];
  std::snprintf(year, sizeof year, "%02d", p.year % 100);
  return std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + year + " " +
         TimeText(p, false);
}

}  // namespace pinlet
