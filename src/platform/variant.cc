#include "platform/variant.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace pinlet {

std::optional<double> ParseNumber(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  auto digit = [&](size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
  };
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool any_digit = false;
  while (digit(i)) ++i, any_digit = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (digit(i)) ++i, any_digit = true;
  }
  if (!any_digit) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (!digit(e)) return std::nullopt;
    while (digit(e)) ++e;
    i = e;
  }
  if (i != text.size()) return std::nullopt;
  std::string copy(text);
  std::istringstream in(copy);
  in.imbue(std::locale::classic());
  double value = 0;
  in >> value;
  if (in.fail() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string ToText(const Variant& value) {
  if (value.IsText()) return value.text();
  if (value.IsLong()) return std::to_string(value.long_value());
  if (value.IsBool()) return value.bool_value() ? "True" : "False";
  if (value.IsDate()) return value.date_value().ToGeneralString();
  if (value.IsDouble()) {
    std::ostringstream out;
    out.precision(15);
    out << value.double_value();
    return out.str();
  }
  return "";
}

double ToDouble(const Variant& value) {
  if (value.IsText()) return ParseNumber(value.text()).value_or(0);
  if (value.IsDate()) return value.date_value().value();
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

Date ToDate(const Variant& value) {
  if (value.IsDate()) return value.date_value();
  if (value.IsText()) return Date::Parse(value.text()).value_or(Date());
  if (value.IsLong() || value.IsDouble()) return Date(ToDouble(value));
  return Date();
}

}  // namespace pinlet
