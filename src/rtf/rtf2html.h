// RTF to HTML for printing notes.
//
// A note's rich text is the RTF a Windows rich-edit control writes, and it can come
// from any sender, so every byte is untrusted. RTF2HTML turns the subset that such a
// control writes (bold, italic, underline, strike-through, super- and subscript,
// colours, font faces and sizes, centred and right-aligned paragraphs, bullet
// lists) into an HTML fragment that the note printing wraps in a page. Everything
// else is skipped. List items come from \pntext groups, \pnlvlblt and \bullet, and,
// in documents that define Word lists ("\list\"), from \listtext groups.
//
// Contract
// - Time linear in the input's length, whatever its shape (one huge group, deep
//   nesting, millions of control words): a first pass counts the output's length, a
//   second writes it into a string allocated once at that length.
// - The output is at most kRtf2HtmlMaxOutputPerInputByte bytes per byte of input,
//   plus kRtf2HtmlMaxOutputExtra. The worst case is a paragraph alignment switched
//   before every character ("\qc&\qr&") under a list item, six character
//   attributes and a 31-character face: 179 bytes of HTML for each 4 bytes of RTF.
//   A font face switched before every character ("\f1 x\f2 x") gives at most 25.
// - Peak memory is the input, the output and below a megabyte of the converter's
//   own: colour and font tables keep their first 4096 entries, and groups nested
//   deeper than 4096 levels do not restore the formatting they change.
// - Never throws. If memory runs out, the HTML converted so far is returned,
//   closed as far as possible.
// - Never reads outside the input; malformed RTF (unbalanced braces, a lone "\" at
//   the end, short hexadecimal escapes, absurd parameters, tables that never end)
//   gives the best HTML the readable part allows.
// - Text is HTML-escaped ("&", "<", ">"), so the output never contains markup that
//   the RTF did not ask for. Face names keep at most 31 bytes (what a Windows face
//   name holds, in ASCII) and drop '"', "<", ">", "&" and control characters.
// - Control characters other than tab, CR and LF never reach the HTML, whether raw,
//   escaped ("\'1b") or Unicode ("\u27").
//
// Characters
// - A byte from 0x80 that the text holds raw (not escaped) is a character of the
//   document's code page ("\ansicpgN"; Windows-1252 when none is given; the
//   single-byte Windows code pages 874 and 1250 to 1258 are known, and a byte of any
//   other gives U+FFFD), written as UTF-8, so the HTML is always well-formed UTF-8.
//   Face names are read the same way.
// - "\'hh" (hexadecimal digits in either case) is a Windows-1252 code: printable
//   ASCII gives itself, every other code its HTML 4 entity ("\'E9" "&eacute;", "\'ae"
//   "&reg;", "\'80" "&euro;") or, where HTML 4 names none, a numeric one ("&#381;").
//   Four codes keep a text of their own: "00" gives "&nbsp;", "85" "...", "99" a
//   superscript "TM", "9a" and "9e" the characters themselves.
// - "\uN" gives its character as UTF-8 (N negative for the upper half of the 16-bit
//   range, surrogate pairs joined, a lone surrogate U+FFFD) and skips the fallback
//   that follows it: "\ucN" characters (1 unless a group says otherwise), each byte
//   of text, escape or control word counting as one, ended early by "{" or "}".
// - "\line" gives "<br>"; "\~", "\lquote", "\rquote", "\ldblquote", "\rdblquote",
//   "\endash" and "\emdash" their entities.
// - No state outlives a call: the conversion runs in a local object.
//
// Options are flags searched for anywhere in `options` (case-sensitive):
//   "+CR"    a CR LF follows every "<br>" written for a paragraph end;
//   "+I"     accepted, no effect;
//   "+F=N"   N is the page's default HTML font size, never written into a font tag;
//   "-FF"    font faces are not written (\f control words are ignored).
//
// Keeping the HTML balanced
// The converter never writes an opening tag on its own. It keeps the formatting that
// the RTF has asked for (paragraph state: list item and alignment; character state:
// bold, italic, underline, strike, vertical position, font) and, separately, the
// stack of elements actually open in the output. Just before any text is written
// the two are reconciled: the desired stack is paragraph elements first (<ul>, <li>,
// the alignment table) and then the character elements in the order they were
// switched on; the open stack is closed from the top down to the longest common
// prefix, and the rest of the desired stack is opened. So an attribute switched
// off below others closes those above it and reopens them, a formatting run that
// never reaches text writes nothing, and the end of the input closes whatever is
// still open. Character state is saved when a group first changes it and restored
// at the group's "}"; paragraph state ends at \par (list item) or \pard (both).
// Paragraph ends outside list items are counted and written as "<br>" just before
// the next text, inside the elements of the paragraph they end; those that no text
// follows are dropped.

#ifndef PINLET_RTF_RTF2HTML_H_
#define PINLET_RTF_RTF2HTML_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace pinlet {

// The bound on the output's length: see the contract above.
inline constexpr std::size_t kRtf2HtmlMaxOutputPerInputByte = 45;
inline constexpr std::size_t kRtf2HtmlMaxOutputExtra = 64;

// Converts `rtf` to an HTML fragment; see above for `options`. An empty input gives
// an empty result.
std::string RTF2HTML(std::string_view rtf, std::string_view options) noexcept;

}  // namespace pinlet

#endif  // PINLET_RTF_RTF2HTML_H_
