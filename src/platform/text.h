// Text conversions at the edges: UTF-8 inside the add-in, UTF-16 where a
// Windows format or call wants it.
#ifndef PINLET_PLATFORM_TEXT_H_
#define PINLET_PLATFORM_TEXT_H_

#include <string>
#include <string_view>

namespace pinlet {

// UTF-16 code units of UTF-8 text; a malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-8 of UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_TEXT_H_
