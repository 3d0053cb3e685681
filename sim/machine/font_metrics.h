// The simulated screen's text metrics: a fixed rule, so that the height a
// text needs in a font at a width can be computed by hand and tested.
//
// In twips, for a font of `size` points:
// - a line is round(size * 24) high (1.2 times the size; 20 twips a point);
// - a character is `units * size / 5` wide, where units are 30 for a space
//   and for "iIl.,:;'!|jtf", 90 for "mwMW@", 70 for the other capitals and
//   "&%#", 55 for digits, and 50 for every other character (one per UTF-16
//   unit); a bold font is a tenth wider; a text's width is rounded once;
// - lines end at CR LF, LF or CR; an empty text is one empty line, and a
//   line break at the end starts another;
// - wrapping at a width breaks a line after the last blank that keeps it
//   within the width; a word wider than the width alone is broken between
//   characters, keeping at least one character a line.
#ifndef PINLET_SIM_MACHINE_FONT_METRICS_H_
#define PINLET_SIM_MACHINE_FONT_METRICS_H_

#include <cstdint>
#include <string_view>

#include "platform/ui.h"

namespace pinlet::sim {

int32_t LineHeight(const ui::Font& font);
// The width of the widest line.
int32_t TextWidth(const ui::Font& font, std::string_view text);
int32_t TextHeight(const ui::Font& font, std::string_view text);
int32_t WrappedTextHeight(const ui::Font& font, std::string_view text, int32_t width);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_FONT_METRICS_H_
