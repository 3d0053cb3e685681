#include "platform/variant.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <sstream>

namespace pinlet {

double ParseLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  double value = 0;
  bool any_digit = false;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i++] - '0');
    any_digit = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      value += (text[i] - '0') * scale;
      scale /= 10;
      any_digit = true;
    }
  }
  if (!any_digit || !std::isfinite(value)) return 0;
  return negative ? -value : value;
}

std::string ToText(const Variant& value) {
  if (value.IsText()) return value.text();
  if (value.IsLong()) return std::to_string(value.long_value());
  if (value.IsBool()) return value.bool_value() ? "True" : "False";
  if (value.IsDouble()) {
    std::ostringstream out;
    out.precision(15);
    out << value.double_value();
    return out.str();
  }
  return "";
}

double ToDouble(const Variant& value) {
  if (value.IsText()) return ParseLeadingNumber(value.text());
  if (value.IsLong()) return value.long_value();
  if (value.IsBool()) return value.bool_value() ? -1 : 0;
  if (value.IsDouble())
    return std::isfinite(value.double_value()) ? value.double_value() : 0;
  return 0;
}

int32_t ToLong(const Variant& value) {
  if (value.IsLong()) return value.long_value();
  double number = std::trunc(ToDouble(value));
  if (number >= std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  if (number <= std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(number);
}

bool ToBool(const Variant& value) {
  if (value.IsBool()) return value.bool_value();
  if (value.IsText()) {
    std::string lower;
    for (char c : value.text())
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "true") return true;
    if (lower == "false") return false;
  }
  return ToDouble(value) != 0;
}

}  // namespace pinlet
