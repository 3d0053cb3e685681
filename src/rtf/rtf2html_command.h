// `pinlet rtf2html [--options TEXT] [FILE|-]`: converts a rich-text file (or standard
// input) to the HTML that note printing would use and writes it to standard output.

#ifndef PINLET_RTF_RTF2HTML_COMMAND_H_
#define PINLET_RTF_RTF2HTML_COMMAND_H_

#include <iosfwd>
#include <string>
#include <vector>

namespace pinlet {

// The options note printing passes to RTF2HTML.
inline constexpr const char* kRtf2HtmlDefaultOptions = "+CR+I";

// Runs the command. `args` are the words after "rtf2html": "--options TEXT" (or
// "--options=TEXT") replaces the default options; FILE names the input, "-" or no
// FILE reads `in`. The HTML goes to `out` exactly as converted (no newline added).
// Returns 0 on success; 2 after a one-line message on `err` for a bad argument or a
// file that cannot be read.
int RunRtf2HtmlCommand(const std::vector<std::string>& args, std::istream& in,
                       std::ostream& out, std::ostream& err);

}  // namespace pinlet

#endif  // PINLET_RTF_RTF2HTML_COMMAND_H_
