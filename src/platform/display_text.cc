#include "platform/display_text.h"

#include <cstdio>

#include "platform/text.h"

namespace pinlet {
namespace {

std::string Hex(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

bool Invisible(char32_t c) {
  return (c >= 0x80 && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F;
}

void AppendPrintable(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b == '\n' || b == '\r' || b == '\t') {
      out += b == '\n' ? "\\n" : b == '\r' ? "\\r" : "\\t";
      ++i;
      continue;
    }
    if (b < 0x20 || b == 0x7F) {
      out += Hex("\\x%02X", b);
      ++i;
      continue;
    }
    char32_t c = 0;
    size_t length = DecodeUtf8(text, i, c);
    if (length == 0) {
      out += Hex("\\x%02X", b);
      ++i;
    } else if (Invisible(c)) {
      out += Hex("\\u%04X", static_cast<unsigned>(c));
      i += length;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendPrintable(out, text);
  return out;
}

std::string PrintableLines(std::string_view text, std::string_view indent) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    AppendPrintable(
        out, text.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                              : end - start));
    if (end == std::string_view::npos) break;
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    out += "\n";
    out += indent;
    start = next;
  }
  return out;
}

std::string ColourText(uint32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", colour);
  return text;
}

std::string HandleText(WindowHandle handle) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(handle));
  return text;
}

std::string RectText(const Rect& r) {
  return "at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
         std::to_string(r.width) + "x" + std::to_string(r.height);
}

std::string FontText(const ui::Font& font) {
  char size[32];
  std::snprintf(size, sizeof size, "%g", font.size);
  std::string text = "\"" + Printable(font.name) + "\" " + size;
  if (font.bold) text += " bold";
  if (font.italic) text += " italic";
  if (font.underline) text += " underline";
  if (font.strikethrough) text += " strikethrough";
  return text;
}

std::string QuotedText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '"' || c == '\\')
      out += std::string("\\") + c;
    else
      out += c;
  }
  return out + "\"";
}

}  // namespace pinlet
