// Text from the mailbox as the terminal may safely show it.
//
// Subjects, bodies, property values, attachment and folder names come from
// mail that anyone can write. Printed raw, an escape sequence in a subject
// could clear the user's screen or retitle the terminal. Every such text is
// printed through Printable, which makes control characters visible.
#ifndef PINLET_APP_PRINTABLE_H_
#define PINLET_APP_PRINTABLE_H_

#include <string>
#include <string_view>

namespace pinlet::app {

// The text with every control character made visible: "\n", "\r", "\t", the
// other C0 controls and DEL as "\x1B", C1 controls and the bidirectional
// overrides as "\u0085", and bytes that are not UTF-8 as "\xFF". A backslash
// stays a backslash; everything else is kept as it is.
std::string Printable(std::string_view text);

// The same, but line ends (CR LF, CR or LF) stay line ends, each following
// line starting with `indent`: for texts shown as lines, a note's text.
std::string PrintableLines(std::string_view text, std::string_view indent);

}  // namespace pinlet::app

#endif  // PINLET_APP_PRINTABLE_H_
