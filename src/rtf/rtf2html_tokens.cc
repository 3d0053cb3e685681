#include "rtf/rtf2html_tokens.h"

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
bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }

// HTML 4 entity names of U+00A0 to U+00FF.
constexpr std::array<std::string_view, 96> kLatin1Entities = {
    "&nbsp;",   "&iexcl;",  "&cent;",   "&pound;",  "&curren;", "&yen;",    "&brvbar;",
    "&sect;",   "&uml;",    "&copy;",   "&ordf;",   "&laquo;",  "&not;",    "&shy;",
    "&reg;",    "&macr;",   "&deg;",    "&plusmn;", "&sup2;",   "&sup3;",   "&acute;",
    "&micro;",  "&para;",   "&middot;", "&cedil;",  "&sup1;",   "&ordm;",   "&raquo;",
    "&frac14;", "&frac12;", "&frac34;", "&iquest;", "&Agrave;", "&Aacute;", "&Acirc;",
    "&Atilde;", "&Auml;",   "&Aring;",  "&AElig;",  "&Ccedil;", "&Egrave;", "&Eacute;",
    "&Ecirc;",  "&Euml;",   "&Igrave;", "&Iacute;", "&Icirc;",  "&Iuml;",   "&ETH;",
    "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;",  "&Otilde;", "&Ouml;",   "&times;",
    "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;",  "&Uuml;",   "&Yacute;", "&THORN;",
    "&szlig;",  "&agrave;", "&aacute;", "&acirc;",  "&atilde;", "&auml;",   "&aring;",
    "&aelig;",  "&ccedil;", "&egrave;", "&eacute;", "&ecirc;",  "&euml;",   "&igrave;",
    "&iacute;", "&icirc;",  "&iuml;",   "&eth;",    "&ntilde;", "&ograve;", "&oacute;",
    "&ocirc;",  "&otilde;", "&ouml;",   "&divide;", "&oslash;", "&ugrave;", "&uacute;",
    "&ucirc;",  "&uuml;",   "&yacute;", "&thorn;",  "&yuml;"};

// HTML 4 entity names of the other characters of Windows-1252, by code point.
struct NamedCharacter {
  char32_t c;
  std::string_view name;
};
constexpr NamedCharacter kOtherEntities[] = {
    {0x152, "&OElig;"},   {0x153, "&oelig;"},   {0x160, "&Scaron;"},
    {0x161, "&scaron;"},  {0x178, "&Yuml;"},    {0x192, "&fnof;"},
    {0x2c6, "&circ;"},    {0x2dc, "&tilde;"},   {0x2013, "&ndash;"},
    {0x2014, "&mdash;"},  {0x2018, "&lsquo;"},  {0x2019, "&rsquo;"},
    {0x201a, "&sbquo;"},  {0x201c, "&ldquo;"},  {0x201d, "&rdquo;"},
    {0x201e, "&bdquo;"},  {0x2020, "&dagger;"}, {0x2021, "&Dagger;"},
    {0x2022, "&bull;"},   {0x2026, "&hellip;"}, {0x2030, "&permil;"},
    {0x2039, "&lsaquo;"}, {0x203a, "&rsaquo;"}, {0x20ac, "&euro;"},
    {0x2122, "&trade;"},
};

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
    if (next == '\r' || next == '\n') {
      token.kind = Token::Kind::kBreak;
      token.text = in_.substr(p + 1, 1);
      pos_ = token.end = p + 2;
      return true;
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
      if (w == "u") return Word::kU;
      if (w == "*") return Word::kStar;
      if (w == "~") return Word::kTilde;
      break;
    case 2:
      if (w == "cf") return Word::kCf;
      if (w == "fs") return Word::kFs;
      if (w == "qc") return Word::kQc;
      if (w == "qr") return Word::kQr;
      if (w == "ul") return Word::kUl;
      if (w == "uc") return Word::kUc;
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
      if (w == "line") return Word::kLine;
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
      if (w == "lquote") return Word::kLquote;
      if (w == "rquote") return Word::kRquote;
      if (w == "emdash") return Word::kEmdash;
      if (w == "endash") return Word::kEndash;
      break;
    case 7:
      if (w == "fonttbl") return Word::kFonttbl;
      if (w == "ansicpg") return Word::kAnsicpg;
      break;
    case 8:
      if (w == "colortbl") return Word::kColortbl;
      if (w == "pnlvlblt") return Word::kPnlvlblt;
      if (w == "listtext") return Word::kListtext;
      break;
    case 9:
      if (w == "listtable") return Word::kListtable;
      if (w == "ldblquote") return Word::kLdblquote;
      if (w == "rdblquote") return Word::kRdblquote;
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

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view EntityName(char32_t c) {
  if (c >= 0xa0 && c <= 0xff) return kLatin1Entities[c - 0xa0];
  for (const NamedCharacter& named : kOtherEntities) {
    if (named.c == c) return named.name;
  }
  return {};
}

}  // namespace pinlet::rtf2html_detail
