// The pieces of RTF2HTML below the converter: splitting RTF into tokens, naming the
// control words the converter acts on, and the HTML entity names of characters. The
// tokenizer is also the simulated host's, which reads rich-text mail with it.

#ifndef PINLET_RTF_RTF2HTML_TOKENS_H_
#define PINLET_RTF_RTF2HTML_TOKENS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pinlet::rtf2html_detail {

// Control-word parameters are clamped to this magnitude while they are read, so a
// parameter of any length is consumed whole and never overflows.
inline constexpr std::int32_t kMaxParam = 0x7fffffff;

struct Token {
  enum class Kind : std::uint8_t {
    kText,     // a run of plain text (never contains "\", "{", "}", CR or LF)
    kOpen,     // "{"
    kClose,    // "}"
    kWord,     // a control word ("b", "fs") or control symbol ("*", "~")
    kHex,      // "\'" with exactly two hexadecimal digits; text holds the digits
    kEscaped,  // "\{", "\}" or "\\"; text holds the character
    kBreak,    // "\" before a CR or LF, which RTF reads as \par; text holds the break
  };
  Kind kind = Kind::kText;
  std::string_view text;
  bool has_param = false;
  std::int32_t param = 0;
  char follows = '\0';  // for a control word: the character just after it, 0 at the end
  std::size_t end = 0;  // input offset just after the token (and its delimiting blank)
};

// Splits RTF into tokens following RTF's rules: a control word is "\" and letters,
// an optional signed number, and an optional blank that belongs to it; CR and LF
// between tokens carry no meaning and are dropped, but "\" before one is a kBreak
// (RTF's \par); text runs until "\", "{", "}" or
// a line break. A lone "\" at the end and a "\'" without two hexadecimal digits are
// dropped (with whatever hexadecimal digit followed).
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view input) : in_(input) {}

  // Reads the next token; false at the end of the input.
  bool Next(Token& token);

  // Skips the content of a group being dropped. `depth` is the current group depth
  // and is kept up to date; returns true with the tokenizer just after the "}" that
  // arrives at depth `floor` (the caller closes that group), false at the end of the
  // input. Sets `saw_list` when the skipped text contains the control word "\list"
  // directly followed by another control word.
  bool SkipGroup(std::size_t& depth, std::size_t floor, bool& saw_list);

  std::size_t pos() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos < in_.size() ? pos : in_.size(); }

 private:
  std::string_view in_;
  std::size_t pos_ = 0;
};

// The control words the converter distinguishes; every other word is kOther.
enum class Word : std::uint8_t {
  kOther,
  kStar,  // "\*": an ignorable destination
  kAnsicpg,  // "\ansicpgN": the document's code page
  kB,
  kBlue,
  kBullet,
  kCf,
  kColortbl,
  kEmdash,
  kEndash,
  kF,
  kFonttbl,
  kFs,
  kGreen,
  kI,
  kInfo,
  kLdblquote,
  kLine,
  kList,
  kListoverridetable,
  kListtable,
  kListtext,
  kLquote,
  kNosupersub,
  kPar,
  kPard,
  kPict,
  kPlain,
  kPnlvlblt,
  kPntext,
  kQc,
  kQr,
  kRdblquote,
  kRed,
  kRquote,
  kStrike,
  kStylesheet,
  kSub,
  kSuper,
  kTab,
  kTilde,  // "\~": a non-breaking space
  kU,      // "\uN": a Unicode character
  kUc,     // "\ucN": the length of the fallback that follows each \uN
  kUl,
  kUlnone,
};

Word ClassifyWord(std::string_view name);

// The value of a hexadecimal digit in either case; -1 for anything else.
int HexDigitValue(char c);

// The HTML 4 entity of a character ("&eacute;", "&euro;"), or empty when HTML 4 names
// none for it.
std::string_view EntityName(char32_t c);

// Whether a character is a control that never reaches the HTML: every C0 and C1
// control and DEL, except tab, line feed and carriage return.
inline bool IsDroppedControl(char32_t c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || (c >= 0x7f && c < 0xa0);
}

}  // namespace pinlet::rtf2html_detail

#endif  // PINLET_RTF_RTF2HTML_TOKENS_H_
