// Texts that describe what the add-in shows, the same on every machine: text
// from the mailbox as a terminal may safely show it, and a window's colours,
// handle, place and font as the descriptions of forms print them.
//
// Subjects, bodies, property values, attachment and folder names come from
// mail that anyone can write. Printed raw, an escape sequence in a subject
// could clear the user's screen or retitle the terminal. Every such text is
// printed through Printable, which makes control characters visible.
#ifndef PINLET_PLATFORM_DISPLAY_TEXT_H_
#define PINLET_PLATFORM_DISPLAY_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui.h"
#include "platform/windows.h"

namespace pinlet {

// The text with every control character made visible: "\n", "\r", "\t", the
// other C0 controls and DEL as "\x1B", C1 controls and the bidirectional
// overrides as "\u0085", and bytes that are not UTF-8 as "\xFF". A backslash
// stays a backslash; everything else is kept as it is.
std::string Printable(std::string_view text);

// The same, but line ends (CR LF, CR or LF) stay line ends, each following
// line starting with `indent`: for texts shown as lines, a note's text.
std::string PrintableLines(std::string_view text, std::string_view indent);

// Texts for a form's description: a colour as 0xBBGGRR, a window handle as
// 0x10010, a window's place as "at 1200,900 size 5310x3300", a font as
// "Arial" 10 bold (its name Printable), a text in double quotes with CR, LF,
// quotes and backslashes escaped as a script writes them.
std::string ColourText(uint32_t colour);
std::string HandleText(WindowHandle handle);
std::string RectText(const Rect& rect);
std::string FontText(const ui::Font& font);
std::string QuotedText(std::string_view text);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_DISPLAY_TEXT_H_
