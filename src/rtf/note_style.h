// The inline style of a note's block, as a reply, a forward and the printed
// page show it.
//
// A note's font name and size come from its item, which anyone may have
// written (another client, an earlier version, a shared folder), so they pass
// a strict allow-list before they reach a style attribute: a face name keeps
// only letters, digits, blanks, "-", "_", "." and non-ASCII letters, and a
// size must be a plain decimal number. Nothing that could end the
// declaration, open a function such as Internet Explorer's expression() or
// url(), or leave the attribute gets through. What is not known (a missing
// or unusable name, size or colour) is left out of the style rather than
// written empty.
#ifndef PINLET_RTF_NOTE_STYLE_H_
#define PINLET_RTF_NOTE_STYLE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pinlet {

// `name` reduced to the characters a face name needs (see above); "" when
// none is left.
std::string CssFontFamily(std::string_view name);

// `size` as a CSS number, a decimal comma written as a point ("12,25" gives
// "12.25"); "" unless the text is one to four digits, optionally followed by
// a separator and one to four digits, and not zero.
std::string CssFontSize(std::string_view size);

// The declarations of the note block: "font-size:<size>pt",
// "font-family:<name>" and "color:rgb(r,g,b)" for a colour 0x00BBGGRR, each
// only when known, joined by ";"; "" when nothing is known. The result can
// stand inside a double-quoted attribute.
std::string NoteBlockStyle(std::string_view size, std::string_view name,
                           std::optional<uint32_t> colour);

// The start tag of the note block: <pre style="..."> with NoteBlockStyle,
// or a plain <pre> when nothing is known.
std::string NoteBlockStartTag(std::string_view size, std::string_view name,
                              std::optional<uint32_t> colour);

}  // namespace pinlet

#endif  // PINLET_RTF_NOTE_STYLE_H_
