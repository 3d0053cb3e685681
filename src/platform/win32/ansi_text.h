// Text in the system code page (CP_ACP), as single-byte Windows calls and
// old libraries take it, to and from the UTF-8 of the add-in.
#ifndef PINLET_PLATFORM_WIN32_ANSI_TEXT_H_
#define PINLET_PLATFORM_WIN32_ANSI_TEXT_H_

#include <string>
#include <string_view>

namespace pinlet {

// `utf8` in the system code page; a character the code page lacks becomes
// the system's default character ("?"), and a malformed byte U+FFFD first.
std::string Utf8ToAnsi(std::string_view utf8);
// UTF-8 of text in the system code page.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_ANSI_TEXT_H_
