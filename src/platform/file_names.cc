#include "platform/file_names.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/win_paths.h"

namespace pinlet {
namespace {

bool Forbidden(unsigned char c) {
  return c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) !=
                         std::string_view::npos;
}

// Marks that change the order in which text is shown without being shown
// themselves: "inv\u202Etxt.exe" is displayed as "invexe.txt".
bool IsBidiControl(char32_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

std::string WithoutBidiControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    size_t length = DecodeUtf8(text, i, c);
    if (length == 0) {
      out += text[i++];  // left to the UTF-16 conversion, which marks it
      continue;
    }
    if (!IsBidiControl(c)) out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

void DropTrailingDotsAndBlanks(std::string& name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

// Shortens a name to `max_length` UTF-16 units, cutting the part before the
// extension; a surrogate pair is never split.
std::string Shorten(const std::string& name, size_t max_length) {
  std::u16string wide = Utf8ToUtf16(name);
  if (wide.size() <= max_length) return name;
  size_t dot = wide.rfind(u'.');
  std::u16string extension;
  // An "extension" too long to be one is cut like the rest of the name.
  if (dot != std::u16string::npos && dot > 0 && wide.size() - dot <= 16 &&
      wide.size() - dot < max_length)
    extension = wide.substr(dot);
  std::u16string stem = wide.substr(0, max_length - extension.size());
  if (!stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();
  std::string out = Utf16ToUtf8(stem);
  DropTrailingDotsAndBlanks(out);
  return out.empty() ? out : out + Utf16ToUtf8(extension);
}

std::string Clean(std::string_view text, size_t max_length) {
  std::string name = WithoutBidiControls(text);
  for (char& c : name)
    if (Forbidden(static_cast<unsigned char>(c))) c = '_';
  DropTrailingDotsAndBlanks(name);
  if (name.empty()) return name;
  if (IsDeviceName(name)) name.insert(0, "_");
  name = Shorten(name, max_length);
  // Cutting drops the blanks before the extension, which can leave a device
  // name ("NUL", 250 blanks, "abc.txt" would become "NUL.txt").
  if (IsDeviceName(name)) name = Shorten("_" + name, max_length);
  return name;
}

}  // namespace

std::string_view TextWindowsReads(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string SafeFileName(std::string_view name, std::string_view fallback,
                         size_t max_length) {
  max_length = std::clamp<size_t>(max_length, 1, kMaxFileNameLength);
  std::string safe = Clean(name, max_length);
  if (safe.empty()) safe = Clean(fallback, max_length);
  return safe.empty() ? "_" : safe;
}

}  // namespace pinlet
