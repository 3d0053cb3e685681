#include "platform/sim/font_metrics.h"

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

int32_t Width(const ui::Font& font, std::u16string_view line) {
  double units = 0;
  for (char16_t c : line) units += Units(c);
  return static_cast<int32_t>(
      std::lround(units * font.size / 5 * (font.bold ? 1.1 : 1.0)));
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

// How many lines `line` takes when wrapped at `width`.
int WrappedLines(const ui::Font& font, const std::u16string& line, int32_t width) {
  int count = 1;
  std::u16string current;
  size_t i = 0;
  while (i < line.size()) {
    size_t end = line.find(u' ', i);
    if (end == std::u16string::npos) end = line.size();
    std::u16string word = line.substr(i, end - i);
    i = end + 1;
    std::u16string joined = current.empty() ? word : current + u' ' + word;
    if (Width(font, joined) <= width) {
      current = std::move(joined);
      continue;
    }
    if (!current.empty()) ++count;
    // A word too wide for a line of its own is broken between characters.
    current.clear();
    for (char16_t c : word) {
      if (!current.empty() && Width(font, current + c) > width) {
        ++count;
        current.clear();
      }
      current += c;
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
