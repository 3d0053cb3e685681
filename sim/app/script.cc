#include "sim/app/script.h"

namespace pinlet::app {

bool SplitWords(std::string_view line, std::vector<std::string>& words,
                std::string& error) {
  words.clear();
  size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < line.size() && blank(line[i])) ++i;
  if (i < line.size() && line[i] == '#') return true;
  while (i < line.size()) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '\'') {
      size_t close = line.find('\'', i + 1);
      if (close == std::string_view::npos) {
        error = "unterminated quotation";
        return false;
      }
      word = std::string(line.substr(i + 1, close - i - 1));
      i = close + 1;
      if (i < line.size() && !blank(line[i])) {
        error = "a quoted word must be followed by a blank";
        return false;
      }
    } else if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
          c = line[i++];
        word += c;
      }
      if (!closed) {
        error = "unterminated quotation";
        return false;
      }
      if (i < line.size() && !blank(line[i])) {
        error = "a quoted word must be followed by a blank";
        return false;
      }
    } else {
      while (i < line.size() && !blank(line[i])) word += line[i++];
    }
    words.push_back(std::move(word));
  }
  return true;
}

std::optional<int64_t> ParseInteger(std::string_view word, int64_t min, int64_t max) {
  bool negative = !word.empty() && (word[0] == '-' || word[0] == '+');
  if (negative) {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty() || word.size() > 20) return std::nullopt;
  uint64_t value = 0;
  for (char c : word) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    if (digit >= base) return std::nullopt;
    if (value > (UINT64_MAX - digit) / base) return std::nullopt;
    value = value * base + digit;
  }
  if (value > static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0)) return std::nullopt;
  int64_t signed_value =
      negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
  if (signed_value < min || signed_value > max) return std::nullopt;
  return signed_value;
}

}  // namespace pinlet::app
