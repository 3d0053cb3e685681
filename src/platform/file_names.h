// Names that are safe to use as one file name in a Windows folder.
//
// Text that comes from elsewhere (a profile name, an attachment's display
// name) can hold what a file name cannot: a path separator or a drive colon
// that would put the file in another folder, a name of only dots, a device
// name (CON, NUL, COM1, ...) that names no file, trailing dots and blanks that
// Windows silently drops, or more characters than a name may have. The
// helper turns such text into a name that stays in the folder it is joined
// to, and leaves every ordinary name exactly as it is. Invisible marks
// that reorder the displayed text are removed, so that the name shown is
// the name that is used.
#ifndef PINLET_PLATFORM_FILE_NAMES_H_
#define PINLET_PLATFORM_FILE_NAMES_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace pinlet {

// The longest file name Windows accepts, in UTF-16 code units.
constexpr size_t kMaxFileNameLength = 255;

// `name` as a safe file name: the bidirectional controls (U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069), which would make a name show
// another extension than it has, are removed; every character a file name
// cannot hold (< > : " / \ | ? * and the controls below U+0020) becomes "_";
// trailing dots and blanks are dropped; a device name (IsDeviceName), alone
// or with an extension, gets "_" in front ("CON.txt" -> "_CON.txt"); a name
// longer than kMaxFileNameLength is shortened before its extension, never
// inside a character, and a shortened name is never a device name either.
// A name that is empty, or holds only dots and blanks (".", ".."), gives
// `fallback` made safe the same way, or "_" when that is empty too. The
// result is never empty, never "." or "..", and holds no separator.
// A name that must fit a shorter room (a folder's path and the name together
// stay within the longest path) is shortened to `max_length` units instead.
std::string SafeFileName(std::string_view name, std::string_view fallback,
                         size_t max_length = kMaxFileNameLength);

// The part of `text` that a Windows call reads as a name or path: all of it
// up to its first NUL character, where the system's strings end
// ("C:\evil\run.exe", NUL, ".txt" opens "C:\evil\run.exe"). A test of
// what a name is must look at this part, not at the whole text.
std::string_view TextWindowsReads(std::string_view text);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_FILE_NAMES_H_
