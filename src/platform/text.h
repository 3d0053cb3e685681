// Text conversions at the edges: UTF-8 inside the add-in, UTF-16 where a
// Windows format or call wants it, and the ANSI code page (Windows-1252) of
// the old single-byte formats (CF_TEXT, RTF's \'xx escapes, REGEDIT4).
#ifndef PINLET_PLATFORM_TEXT_H_
#define PINLET_PLATFORM_TEXT_H_

#include <string>
#include <string_view>

namespace pinlet {

// UTF-16 code units of UTF-8 text; a malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// The offset of the first byte that is not part of well-formed UTF-8 (a stray or
// cut sequence, an overlong form, a surrogate, a value above U+10FFFF), or npos
// when all of `text` is UTF-8.
size_t FindInvalidUtf8(std::string_view text);
// UTF-8 of UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The character of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as Windows does.
char32_t Cp1252ToCodePoint(unsigned char byte);
// UTF-8 of Windows-1252 text.
std::string Cp1252ToUtf8(std::string_view text);
// Windows-1252 of UTF-8 text; a character the code page lacks becomes "?",
// as the system conversion does.
std::string Utf8ToCp1252(std::string_view text);
// UTF-8 of one code point (a surrogate or a value above U+10FFFF gives U+FFFD).
std::string CodePointToUtf8(char32_t c);
// Decodes the character at `text[i]` into `c`: its length in bytes, or 0 when
// the bytes there are not well-formed UTF-8 (overlong, a surrogate, above
// U+10FFFF or cut short).
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& c);

// `text` with "&", "<", ">" and '"' as character references, so that it can
// stand in an element or a quoted attribute; control bytes other than tab, CR
// and LF, which HTML cannot hold, are dropped. Everything else stays.
std::string HtmlEscape(std::string_view text);

// Whether `text` contains `part`, ignoring the case of ASCII letters, as a
// search for a part of a window title does.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);
// Whether the texts are equal, ignoring the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_TEXT_H_
