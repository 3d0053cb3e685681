// The host's loosely typed value, and the one way to convert it.
//
// Registry reads, user property values and late-bound item properties give a
// Variant: empty, text, a 32-bit integer, a floating-point number or a
// Boolean. Every reader of a setting converts through ToText, ToLong, ToDouble
// and ToBool below, so text that is not a number reads as 0 everywhere and
// never as an error the user sees.
#ifndef PINLET_PLATFORM_VARIANT_H_
#define PINLET_PLATFORM_VARIANT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

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

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsLong() const { return std::holds_alternative<int32_t>(value_); }
  bool IsDouble() const { return std::holds_alternative<double>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }

  // The stored alternatives; each requires the matching Is...() to be true.
  const std::string& text() const { return std::get<std::string>(value_); }
  int32_t long_value() const { return std::get<int32_t>(value_); }
  double double_value() const { return std::get<double>(value_); }
  bool bool_value() const { return std::get<bool>(value_); }

  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, std::string, int32_t, double, bool> value_;
};

// The number at the start of `text`, as the host's Val reads it: leading
// blanks, an optional sign, digits and an optional fraction; anything else
// ends the number. Text that does not start with a number gives 0.
double ParseLeadingNumber(std::string_view text);

// Text of a value: "" for empty, decimal for numbers, "True"/"False".
std::string ToText(const Variant& value);
// Whole number of a value: text through ParseLeadingNumber, truncated towards
// zero and clamped to the 32-bit range; empty gives 0; true gives -1.
int32_t ToLong(const Variant& value);
double ToDouble(const Variant& value);
// Boolean of a value: "True"/"False" in any case, otherwise non-zero numbers.
bool ToBool(const Variant& value);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_VARIANT_H_
