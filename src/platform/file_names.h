// Names that are safe to use as one file name in a Windows folder.
//
// Text that comes from elsewhere (a profile name, an attachment's display
// name) can hold what a file name cannot: a path separator or a drive colon
// that would put the file in another folder, a name of only dots, a device
// name (CON, NUL, COM1, ...) that names no file, trailing dots and blanks that
// Windows silently drops, or more characters than a name may have. The
// helper turns such text into a name that stays in the folder it is joined
// to, and leaves every ordinary name exactly as it is.
#ifndef PINLET_PLATFORM_FILE_NAMES_H_
#define PINLET_PLATFORM_FILE_NAMES_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace pinlet {

// The longest file name Windows accepts, in UTF-16 code units.
constexpr size_t kMaxFileNameLength = 255;

// `name` as a safe file name: every character a file name cannot hold
// (< > : " / \ | ? * and the controls below U+0020) becomes "_"; trailing
// dots and blanks are dropped; a device name, alone or with an extension,
// gets "_" in front ("CON.txt" -> "_CON.txt"); a name longer than
// kMaxFileNameLength is shortened before its extension, never inside a
// character. A name that is empty, or holds only dots and blanks (".",
// ".."), gives `fallback` made safe the same way, or "_" when that is empty
// too. The result is never empty, never "." or "..", and holds no separator.
// A name that must fit a shorter room (a folder's path and the name together
// stay within the longest path) is shortened to `max_length` units instead.
std::string SafeFileName(std::string_view name, std::string_view fallback,
                         size_t max_length = kMaxFileNameLength);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_FILE_NAMES_H_
