#include "inspector/rtf2html_tokens.h"

#include <array>
#include <cstring>

namespace pinlet::rtf2html_detail {
namespace {

// Byte classes for the two scanning loops.
constexpr std::uint8_t kEndsText = 1;   // "\", "{", "}", CR, LF
constexpr std::uint8_t kSkipStops = 2;  // "\", "{", "}"

constexpr std::array<std::uint8_t, 256> kClasses = [] {
  std::array<std::uint8_t, 256> classes{};
  for (unsigned char c : {'\\', '{', '}'}) classes[c] = kEndsText | kSkipStops;
  classes[static_cast<unsigned char>('\r')] = kEndsText;
  classes[static_cast<unsigned char>('\n')] = kEndsText;
  return classes;
}();

std::uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// HTML 4 Latin-1 entity names for the codes 0xa1 to 0xff; 0xae is never written.
constexpr std::array<std::string_view, 95> kLatin1Entities = {
    "&iexcl;",  "&cent;",   "&pound;",  "&curren;", "&yen;",    "&brvbar;", "&sect;",
    "&uml;",    "&copy;",   "&ordf;",   "&laquo;",  "&not;",    "&shy;",    "",
    "&macr;",   "&deg;",    "&plusmn;", "&sup2;",   "&sup3;",   "&acute;",  "&micro;",
    "&para;",   "&middot;", "&cedil;",  "&sup1;",   "&ordm;",   "&raquo;",  "&frac14;",
    "&frac12;", "&frac34;", "&iquest;", "&Agrave;", "&Aacute;", "&Acirc;",  "&Atilde;",
    "&Auml;",   "&Aring;",  "&AElig;",  "&Ccedil;", "&Egrave;", "&Eacute;", "&Ecirc;",
    "&Euml;",   "&Igrave;", "&Iacute;", "&Icirc;",  "&Iuml;",   "&ETH;",    "&Ntilde;",
    "&Ograve;", "&Oacute;", "&Ocirc;",  "&Otilde;", "&Ouml;",   "&times;",  "&Oslash;",
    "&Ugrave;", "&Uacute;", "&Ucirc;",  "&Uuml;",   "&Yacute;", "&THORN;",  "&szlig;",
    "&agrave;", "&aacute;", "&acirc;",  "&atilde;", "&auml;",   "&aring;",  "&aelig;",
    "&ccedil;", "&egrave;", "&eacute;", "&ecirc;",  "&euml;",   "&igrave;", "&iacute;",
    "&icirc;",  "&iuml;",   "&eth;",    "&ntilde;", "&ograve;", "&oacute;", "&ocirc;",
    "&otilde;", "&ouml;",   "&divide;", "&oslash;", "&ugrave;", "&uacute;", "&ucirc;",
    "&uuml;",   "&yacute;", "&thorn;",  "&yuml;"};

int LowerHexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool Tokenizer::Next(Token& token) {
  const char* data = in_.data();
  const std::size_t size = in_.size();
  std::size_t p = pos_;
  for (;;) {
    while (p < size && (data[p] == '\r' || data[p] == '\n')) ++p;
    if (p >= size) {
      pos_ = size;
      return false;
    }
    token.has_param = false;
    token.param = 0;
    token.follows = '\0';
    const char c = data[p];
    if (c == '{' || c == '}') {
      token.kind = c == '{' ? Token::Kind::kOpen : Token::Kind::kClose;
      token.text = in_.substr(p, 1);
      pos_ = token.end = p + 1;
      return true;
    }
    if (c != '\\') {
      std::size_t q = p + 1;
      while (q < size && !(ClassOf(data[q]) & kEndsText)) ++q;
      token.kind = Token::Kind::kText;
      token.text = in_.substr(p, q - p);
      pos_ = token.end = q;
      return true;
    }
    if (p + 1 >= size) {  // a lone "\" at the end
      pos_ = size;
      return false;
    }
    const char next = data[p + 1];
    if (IsLetter(next)) {
      std::size_t q = p + 2;
      while (q < size && IsLetter(data[q])) ++q;
      token.kind = Token::Kind::kWord;
      token.text = in_.substr(p + 1, q - p - 1);
      bool negative = false;
      if (q + 1 < size && data[q] == '-' && IsDigit(data[q + 1])) {
        negative = true;
        ++q;
      }
      if (q < size && IsDigit(data[q])) {
        std::int64_t value = 0;
        for (; q < size && IsDigit(data[q]); ++q) {
          if (value <= kMaxParam) value = value * 10 + (data[q] - '0');
        }
        if (value > kMaxParam) value = kMaxParam;
        token.has_param = true;
        token.param = static_cast<std::int32_t>(negative ? -value : value);
      }
      token.follows = q < size ? data[q] : '\0';
      if (token.follows == ' ') ++q;
      pos_ = token.end = q;
      return true;
    }
    if (next == '\'') {
      std::size_t q = p + 2;
      std::size_t digits = 0;
      while (digits < 2 && q + digits < size && IsHexDigit(data[q + digits])) ++digits;
      if (digits == 2) {
        token.kind = Token::Kind::kHex;
        token.text = in_.substr(q, 2);
        pos_ = token.end = q + 2;
        return true;
      }
      p = q + digits;  // a short escape is dropped
      continue;
    }
    if (next == '{' || next == '}' || next == '\\') {
      token.kind = Token::Kind::kEscaped;
      token.text = in_.substr(p + 1, 1);
      pos_ = token.end = p + 2;
      return true;
    }
    if (next == '\r' || next == '\n') {  // "\" before a line break: nothing
      p += 1;
      continue;
    }
    token.kind = Token::Kind::kWord;  // a control symbol such as "\*" or "\~"
    token.text = in_.substr(p + 1, 1);
    pos_ = token.end = p + 2;
    return true;
  }
}

bool Tokenizer::SkipGroup(std::size_t& depth, std::size_t floor, bool& saw_list) {
  const char* data = in_.data();
  const std::size_t size = in_.size();
  std::size_t p = pos_;
  while (p < size) {
    if (!(ClassOf(data[p]) & kSkipStops)) {
      ++p;
      continue;
    }
    const char c = data[p];
    if (c == '{') {
      ++depth;
      ++p;
    } else if (c == '}') {
      ++p;
      if (depth == floor) {
        pos_ = p;
        return true;
      }
      --depth;
    } else {
      if (size - p >= 6 && std::memcmp(data + p, "\\list\\", 6) == 0) saw_list = true;
      p += 2;  // the backslash and the character it escapes or starts a word with
    }
  }
  pos_ = size;
  return false;
}

Word ClassifyWord(std::string_view w) {
  switch (w.size()) {
    case 1:
      if (w == "b") return Word::kB;
      if (w == "f") return Word::kF;
      if (w == "i") return Word::kI;
      if (w == "*") return Word::kStar;
      break;
    case 2:
      if (w == "cf") return Word::kCf;
      if (w == "fs") return Word::kFs;
      if (w == "qc") return Word::kQc;
      if (w == "qr") return Word::kQr;
      if (w == "ul") return Word::kUl;
      break;
    case 3:
      if (w == "par") return Word::kPar;
      if (w == "sub") return Word::kSub;
      if (w == "tab") return Word::kTab;
      if (w == "red") return Word::kRed;
      break;
    case 4:
      if (w == "pard") return Word::kPard;
      if (w == "pict") return Word::kPict;
      if (w == "info") return Word::kInfo;
      if (w == "list") return Word::kList;
      if (w == "blue") return Word::kBlue;
      break;
    case 5:
      if (w == "plain") return Word::kPlain;
      if (w == "super") return Word::kSuper;
      if (w == "green") return Word::kGreen;
      break;
    case 6:
      if (w == "bullet") return Word::kBullet;
      if (w == "strike") return Word::kStrike;
      if (w == "ulnone") return Word::kUlnone;
      if (w == "pntext") return Word::kPntext;
      break;
    case 7:
      if (w == "fonttbl") return Word::kFonttbl;
      break;
    case 8:
      if (w == "colortbl") return Word::kColortbl;
      if (w == "pnlvlblt") return Word::kPnlvlblt;
      if (w == "listtext") return Word::kListtext;
      break;
    case 9:
      if (w == "listtable") return Word::kListtable;
      break;
    case 10:
      if (w == "nosupersub") return Word::kNosupersub;
      if (w == "stylesheet") return Word::kStylesheet;
      break;
    case 17:
      if (w == "listoverridetable") return Word::kListoverridetable;
      break;
  }
  return Word::kOther;
}

std::string_view HexEscapeHtml(char high, char low) {
  const int hi = LowerHexValue(high);
  const int lo = LowerHexValue(low);
  if (hi < 0 || lo < 0) return {};
  const int code = hi * 16 + lo;
  switch (code) {
    case 0x00:
      return "&nbsp;";
    case 0x85:
      return "...";
    case 0x99:
      return "<rtf>:\\super TM\\nosupersub";
    case 0x9a:
      return "\xC5\xA1";  // š
    case 0x9e:
      return "\xC5\xBE";  // ž
  }
  if (code >= 0xa1) return kLatin1Entities[code - 0xa1];  // "" for 0xae
  return {};
}

}  // namespace pinlet::rtf2html_detail
