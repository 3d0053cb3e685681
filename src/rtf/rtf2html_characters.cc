// Characters: hexadecimal escapes as Windows-1252 codes, raw bytes by the document's
// code page, \uN as Unicode with the fallback that follows it skipped, and the
// characters that never reach the HTML.

#include <algorithm>
#include <string>

#include "rtf/rtf2html_converter.h"
#include "platform/text.h"

namespace pinlet::rtf2html_detail {

// The fallback of a \uN: the characters that a reader without Unicode shows instead.
// Each byte of text, each escape and each control word counts as one character; a
// group's "{" or "}" ends the fallback early. Returns false when the whole token is
// skipped, otherwise leaves in `token` what remains of it.
bool Converter::SkipFallback(Token& token) {
  switch (token.kind) {
    case Token::Kind::kOpen:
    case Token::Kind::kClose:
      fallback_left_ = 0;
      return true;
    case Token::Kind::kText: {
      const std::size_t skipped = std::min(fallback_left_, token.text.size());
      fallback_left_ -= skipped;
      token.text.remove_prefix(skipped);
      return !token.text.empty();
    }
    default:
      --fallback_left_;
      return false;
  }
}

void Converter::OnHex(const Token& token) {
  const int code = HexDigitValue(token.text[0]) * 16 + HexDigitValue(token.text[1]);
  switch (code) {
    case 0x00:
      return Text("&nbsp;", true);
    case 0x85:
      return Text("...", false);
    case 0x9a:
      return Text("\xC5\xA1", true);  // š
    case 0x9e:
      return Text("\xC5\xBE", true);  // ž
    case 0x99:
      break;
    default: {
      const char32_t c = Cp1252ToCodePoint(static_cast<unsigned char>(code));
      if (IsDroppedControl(c)) return;
      if (c < 0x80) {
        const char ascii = static_cast<char>(c);
        return Text(std::string_view(&ascii, 1), false);
      }
      const std::string_view name = EntityName(c);
      if (!name.empty()) return Text(name, true);
      const std::string numeric =
          "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
      return Text(numeric, true);
    }
  }
  // The trademark sign is a superscript "TM": RTF read here, as if it preceded the
  // rest of the input. It is a constant without escapes or groups, so this never
  // nests.
  Tokenizer inner("\\super TM\\nosupersub");
  Token inner_token;
  while (inner.Next(inner_token)) {
    if (inner_token.kind == Token::Kind::kWord) {
      OnBodyWord(inner_token);
    } else if (inner_token.kind == Token::Kind::kText) {
      Text(inner_token.text, false);
    }
  }
}

// \uN: N is a signed 16-bit number (negative for the upper half of the BMP); larger
// values are taken as code points. A surrogate pair arrives as two \uN in a row.
void Converter::OnUnicode(const Token& token) {
  fallback_left_ = chars_.fallback;
  if (!token.has_param) return;
  std::int64_t n = token.param;
  if (n < 0) n += 0x10000;
  const char32_t c = n < 0 ? 0xfffd : static_cast<char32_t>(n);
  if (c >= 0xd800 && c < 0xdc00) {
    FlushLoneSurrogate();
    high_surrogate_ = c;
    return;
  }
  if (c >= 0xdc00 && c < 0xe000 && high_surrogate_ != 0) {
    const char32_t pair = 0x10000 + ((high_surrogate_ - 0xd800) << 10) + (c - 0xdc00);
    high_surrogate_ = 0;
    return Character(pair);
  }
  FlushLoneSurrogate();
  Character(c);  // a lone low surrogate or a value beyond U+10FFFF gives U+FFFD
}

void Converter::FlushLoneSurrogate() {
  if (high_surrogate_ == 0) return;
  high_surrogate_ = 0;
  Character(0xfffd);
}

// Text as the document holds it: ASCII as itself, and each byte from 0x80 the
// character it stands for in the document's code page, so that the HTML is always
// well-formed UTF-8.
void Converter::DocumentText(std::string_view text) {
  while (!text.empty()) {
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    if (ascii > 0) {
      Text(text.substr(0, ascii), false);
      text.remove_prefix(ascii);
      continue;
    }
    Character(CodePageCharacter(code_page_, static_cast<unsigned char>(text.front())));
    text.remove_prefix(1);
  }
}

// A Unicode character, as UTF-8 text.
void Converter::Character(char32_t c) {
  if (IsDroppedControl(c)) return;
  Text(CodePointToUtf8(c), false);
}

}  // namespace pinlet::rtf2html_detail
