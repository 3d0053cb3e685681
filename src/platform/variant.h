// The host's loosely typed value, and the one way to convert it.
//
// Registry reads, user property values and late-bound item properties give a
// Variant: empty, text, a 32-bit integer, a floating-point number, a Boolean
// or a date. Every reader of a setting converts through ToText, ToLong,
// ToDouble, ToBool and ToDate below, so text that is not a number reads as 0
// everywhere and never as an error the user sees.
#ifndef PINLET_PLATFORM_VARIANT_H_
#define PINLET_PLATFORM_VARIANT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/date.h"

namespace pinlet {

class Variant {
 public:
  Variant() = default;
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(const char* text) : value_(std::string(text)) {}
  Variant(std::string_view text) : value_(std::string(text)) {}
  Variant(int32_t number) : value_(number) {}
  Variant(double number) : value_(number) {}
  Variant(bool flag) : value_(flag) {}
  Variant(Date date) : value_(date) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsLong() const { return std::holds_alternative<int32_t>(value_); }
  bool IsDouble() const { return std::holds_alternative<double>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }
  bool IsDate() const { return std::holds_alternative<Date>(value_); }

  // The stored alternatives; each requires the matching Is...() to be true.
  const std::string& text() const { return std::get<std::string>(value_); }
  int32_t long_value() const { return std::get<int32_t>(value_); }
  double double_value() const { return std::get<double>(value_); }
  bool bool_value() const { return std::get<bool>(value_); }
  Date date_value() const { return std::get<Date>(value_); }

  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, std::string, int32_t, double, bool, Date> value_;
};

// The number `text` holds as a whole: optional blanks around an optional
// sign, digits with an optional fraction and an optional exponent ("1e3").
// nullopt for anything else ("1abc", "", "-") and for numbers too large to
// hold.
std::optional<double> ParseNumber(std::string_view text);

// Text of a value: "" for empty, decimal for numbers, "True"/"False", a date
// in the host's general date form.
std::string ToText(const Variant& value);
// Whole number of a value: text through ParseNumber (0 when it is not wholly
// a number), truncated towards zero and clamped to the 32-bit range; empty
// gives 0; true gives -1; a date gives its day number.
int32_t ToLong(const Variant& value);
double ToDouble(const Variant& value);
// Boolean of a value: "True"/"False" in any case, otherwise non-zero numbers.
bool ToBool(const Variant& value);
// Date of a value: a date as it is, a number as a date value, text through
// Date::Parse; anything else is date 0 (30 December 1899).
Date ToDate(const Variant& value);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_VARIANT_H_
