#include "app/script.h"

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
    if (line[i] == '"') {
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

}  // namespace pinlet::app
