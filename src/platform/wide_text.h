// UTF-16 text as the wide calls of Windows take it, to and from the UTF-8
// that the add-in keeps. For the Windows build, where wchar_t is a UTF-16
// code unit; the conversions are text.h's.
#ifndef PINLET_PLATFORM_WIDE_TEXT_H_
#define PINLET_PLATFORM_WIDE_TEXT_H_

#include <string>
#include <string_view>

#include "platform/text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16 on Windows only");

namespace pinlet {

// UTF-16 of UTF-8 text; a malformed byte becomes U+FFFD.
inline std::wstring Wide(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// UTF-8 of UTF-16 text; an unpaired surrogate becomes U+FFFD.
inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIDE_TEXT_H_
