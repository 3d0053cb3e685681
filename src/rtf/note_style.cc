#include "rtf/note_style.h"

#include "platform/text.h"

namespace pinlet {
namespace {

bool IsAsciiLetterOrDigit(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A non-ASCII character a face name may hold: anything from U+00A0 on but
// the line and paragraph separators, the byte-order mark and the
// non-characters, which no face name has.
bool IsFaceNameLetter(char32_t c) {
  if (c < 0xA0 || c == 0x2028 || c == 0x2029 || c == 0xFEFF) return false;
  return (c & 0xFFFE) != 0xFFFE;
}

// Up to four ASCII digits from `text[i]`; the count is stored in `count`.
size_t Digits(std::string_view text, size_t i, size_t& count) {
  count = 0;
  while (i + count < text.size() && text[i + count] >= '0' && text[i + count] <= '9')
    ++count;
  return i + count;
}

}  // namespace

std::string CssFontFamily(std::string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size();) {
    char32_t c = 0;
    size_t length = DecodeUtf8(name, i, c);
    if (length == 0) {
      ++i;  // a byte that is no character is dropped
      continue;
    }
    if (IsAsciiLetterOrDigit(c) || c == ' ' || c == '-' || c == '_' || c == '.' ||
        IsFaceNameLetter(c))
      out.append(name, i, length);
    i += length;
  }
  // Blanks at either end are no part of a name.
  size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string CssFontSize(std::string_view size) {
  size_t whole = 0, fraction = 0;
  size_t end = Digits(size, 0, whole);
  std::string out(size.substr(0, end));
  if (end < size.size() && (size[end] == '.' || size[end] == ',')) {
    size_t after = Digits(size, end + 1, fraction);
    if (fraction == 0) return "";
    out += '.';
    out.append(size, end + 1, fraction);
    end = after;
  }
  if (end != size.size() || whole == 0 || whole > 4 || fraction > 4) return "";
  if (out.find_first_not_of("0.") == std::string::npos) return "";
  return out;
}

std::string NoteBlockStyle(std::string_view size, std::string_view name,
                           std::optional<uint32_t> colour) {
  std::string style;
  auto add = [&](const std::string& declaration) {
    if (!style.empty()) style += ';';
    style += declaration;
  };
  if (std::string number = CssFontSize(size); !number.empty())
    add("font-size:" + number + "pt");
  if (std::string family = CssFontFamily(name); !family.empty())
    add("font-family:" + HtmlEscape(family));
  if (colour)
    add("color:rgb(" + std::to_string(*colour & 0xFF) + "," +
        std::to_string((*colour >> 8) & 0xFF) + "," +
        std::to_string((*colour >> 16) & 0xFF) + ")");
  return style;
}

std::string NoteBlockStartTag(std::string_view size, std::string_view name,
                              std::optional<uint32_t> colour) {
  std::string style = NoteBlockStyle(size, name, colour);
  return style.empty() ? "<pre>" : "<pre style=\"" + style + "\">";
}

}  // namespace pinlet
