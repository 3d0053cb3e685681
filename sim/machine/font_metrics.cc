#include "sim/machine/font_metrics.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/text.h"

namespace pinlet::sim {
namespace {

int Units(char16_t c) {
  if (c == u' ' ||
      std::u16string_view(u"iIl.,:;'!|jtf").find(c) != std::u16string_view::npos)
    return 30;
  if (std::u16string_view(u"mwMW@").find(c) != std::u16string_view::npos) return 90;
  if ((c >= u'A' && c <= u'Z') || c == u'&' || c == u'%' || c == u'#') return 70;
  if (c >= u'0' && c <= u'9') return 55;
  return 50;
}

// The width of `units` width units, rounded once.
int32_t Scaled(const ui::Font& font, int64_t units) {
  return static_cast<int32_t>(
      std::lround(static_cast<double>(units) * font.size / 5 * (font.bold ? 1.1 : 1.0)));
}

int64_t UnitsOf(std::u16string_view text) {
  int64_t units = 0;
  for (char16_t c : text) units += Units(c);
  return units;
}

int32_t Width(const ui::Font& font, std::u16string_view line) {
  return Scaled(font, UnitsOf(line));
}

std::vector<std::u16string> Lines(std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  std::vector<std::u16string> lines(1);
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] == u'\r' || units[i] == u'\n') {
      if (units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += units[i];
    }
  }
  return lines;
}

// How many lines `line` takes when wrapped at `width`. The line being
// filled is kept as its length and its width units, so that a long line
// costs no more than its length.
int WrappedLines(const ui::Font& font, std::u16string_view line, int32_t width) {
  int count = 1;
  size_t length = 0;   // characters on the line being filled
  int64_t filled = 0;  // their width units
  size_t i = 0;
  while (i < line.size()) {
    size_t end = line.find(u' ', i);
    if (end == std::u16string_view::npos) end = line.size();
    std::u16string_view word = line.substr(i, end - i);
    i = end + 1;
    size_t joined_length = length == 0 ? word.size() : length + 1 + word.size();
    int64_t joined = length == 0 ? UnitsOf(word) : filled + Units(u' ') + UnitsOf(word);
    if (Scaled(font, joined) <= width) {
      length = joined_length;
      filled = joined;
      continue;
    }
    if (length != 0) ++count;
    // A word too wide for a line of its own is broken between characters.
    length = 0;
    filled = 0;
    for (char16_t c : word) {
      if (length != 0 && Scaled(font, filled + Units(c)) > width) {
        ++count;
        length = 0;
        filled = 0;
      }
      ++length;
      filled += Units(c);
    }
  }
  return count;
}

}  // namespace

int32_t LineHeight(const ui::Font& font) {
  return static_cast<int32_t>(std::lround(font.size * 24));
}

int32_t TextWidth(const ui::Font& font, std::string_view text) {
  int32_t widest = 0;
  for (const std::u16string& line : Lines(text))
    widest = std::max(widest, Width(font, line));
  return widest;
}

int32_t TextHeight(const ui::Font& font, std::string_view text) {
  return static_cast<int32_t>(Lines(text).size()) * LineHeight(font);
}

int32_t WrappedTextHeight(const ui::Font& font, std::string_view text, int32_t width) {
  int lines = 0;
  for (const std::u16string& line : Lines(text)) lines += WrappedLines(font, line, width);
  return lines * LineHeight(font);
}

}  // namespace pinlet::sim
