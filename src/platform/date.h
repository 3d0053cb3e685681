// The host's date value.
//
// Outlook and the add-in exchange dates as the host's date value: days since
// 30 December 1899, with the time of day as the fraction. Date keeps that
// value and offers the host's conversions and en-US texts. The host's dates
// run from 1 January 100 to 31 December 9999; a value outside that range (or
// not a number) converts to parts and texts as the nearest end of the range.
#ifndef PINLET_PLATFORM_DATE_H_
#define PINLET_PLATFORM_DATE_H_

#include <optional>
#include <string>
#include <string_view>

namespace pinlet {

class Date {
 public:
  // 1/1/100 00:00:00 and the first value after 12/31/9999 23:59:59.
  static constexpr double kMinValue = -657434.0;
  static constexpr double kEndValue = 2958466.0;

  Date() = default;
  explicit Date(double value) : value_(value) {}

  // Whether the value is a date the host can hold (kMinValue <= value < kEndValue).
  bool InHostRange() const { return value_ >= kMinValue && value_ < kEndValue; }

  // A date from its calendar parts; the parts must form a valid date and time.
  static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                        int second = 0);
  // Parses "m/d/yyyy", optionally followed by "h:mm[:ss] AM|PM" or "h:mm[:ss]"
  // (24-hour). Returns nullopt for anything else or an impossible date.
  static std::optional<Date> Parse(std::string_view text);

  double value() const { return value_; }
  struct Parts {
    int year, month, day, hour, minute, second;
  };
  Parts ToParts() const;

  // "m/d/yyyy h:mm:ss AM" as the host's general date shows it; a date without
  // time of day shows only "m/d/yyyy".
  std::string ToGeneralString() const;
  // "m/d/yy h:mm AM", the short form of note headings.
  std::string ToShortString() const;

  bool operator==(const Date& other) const { return value_ == other.value_; }
  bool operator<(const Date& other) const { return value_ < other.value_; }

 private:
  double value_ = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_DATE_H_
