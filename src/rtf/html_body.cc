#include "rtf/html_body.h"

#include <array>

namespace pinlet {
namespace {

constexpr size_t kNone = std::string::npos;

// Elements whose content is text up to their own end tag.
constexpr std::array<std::string_view, 9> kRawTextElements = {
    "script", "style",   "title",    "textarea", "xmp",
    "iframe", "noembed", "noframes", "noscript"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool StartsWithAt(std::string_view html, size_t at, std::string_view lower_text) {
  if (html.size() - at < lower_text.size()) return false;
  for (size_t i = 0; i < lower_text.size(); ++i)
    if (Lower(html[at + i]) != lower_text[i]) return false;
  return true;
}

// The end of the comment opened at `at` ("<!--"): after "-->" or "--!>";
// "<!-->" and "<!--->" close at once.
size_t SkipComment(std::string_view html, size_t at) {
  for (size_t i = at + 2; i < html.size(); ++i) {
    if (html.compare(i, 3, "-->") == 0) return i + 3;
    if (html.compare(i, 4, "--!>") == 0) return i + 4;
  }
  return kNone;
}

// The end of the raw text of `name`: after its end tag, whose name is
// followed by a blank, "/" or ">"; the text before it is no markup.
size_t SkipRawText(std::string_view html, size_t at, std::string_view name) {
  for (size_t i = html.find("</", at); i != kNone; i = html.find("</", i + 2)) {
    size_t after = i + 2 + name.size();
    if (!StartsWithAt(html, i + 2, name) || after >= html.size()) continue;
    char next = html[after];
    if (IsSpace(next) || next == '/' || next == '>') {
      size_t close = html.find('>', after);
      return close == kNone ? kNone : close + 1;
    }
  }
  return kNone;
}

// The end of a tag's attributes from `at`: after the ">" that closes the tag,
// quoted values skipped whole.
size_t SkipAttributes(std::string_view html, size_t at) {
  size_t i = at;
  while (i < html.size()) {
    char c = html[i];
    if (c == '>') return i + 1;
    if (IsSpace(c) || c == '/') {
      ++i;
      continue;
    }
    // The attribute's name; a leading "=" belongs to it.
    ++i;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '/' && html[i] != '>' &&
           html[i] != '=')
      ++i;
    while (i < html.size() && IsSpace(html[i])) ++i;
    if (i >= html.size() || html[i] != '=') continue;
    ++i;
    while (i < html.size() && IsSpace(html[i])) ++i;
    if (i >= html.size()) break;
    if (html[i] == '"' || html[i] == '\'') {
      size_t close = html.find(html[i], i + 1);
      if (close == kNone) return kNone;
      i = close + 1;
    } else {
      while (i < html.size() && !IsSpace(html[i]) && html[i] != '>') ++i;
    }
  }
  return kNone;
}

}  // namespace

size_t FindBodyTagEnd(std::string_view html) {
  size_t i = html.find('<');
  while (i != kNone && i < html.size()) {
    size_t next = i + 1;
    if (html.compare(i, 4, "<!--") == 0) {
      next = SkipComment(html, i);
    } else if (i + 2 < html.size() && html[i + 1] == '/' && IsLetter(html[i + 2])) {
      next = SkipAttributes(html, i + 2);
    } else if (i + 1 < html.size() &&
               (html[i + 1] == '!' || html[i + 1] == '?' || html[i + 1] == '/')) {
      // A declaration, a processing instruction or a bogus end tag, up to
      // its ">".
      size_t close = html.find('>', i);
      next = close == kNone ? kNone : close + 1;
    } else if (i + 1 < html.size() && IsLetter(html[i + 1])) {
      size_t end = i + 1;
      std::string name;
      while (end < html.size() && !IsSpace(html[end]) && html[end] != '/' &&
             html[end] != '>')
        name += Lower(html[end++]);
      next = SkipAttributes(html, end);
      if (next == kNone) return kNone;
      if (name == "body") return next;
      // Whatever follows <plaintext> is text to the end.
      if (name == "plaintext") return kNone;
      for (std::string_view raw : kRawTextElements)
        if (name == raw) next = SkipRawText(html, next, raw);
    }
    if (next == kNone) return kNone;
    i = html.find('<', next);
  }
  return kNone;
}

}  // namespace pinlet
