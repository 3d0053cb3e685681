// The pieces of RTF2HTML below the converter: splitting RTF into tokens, naming the
// control words the converter acts on, and the table for hexadecimal escapes.
// Private to src/inspector.

#ifndef PINLET_INSPECTOR_RTF2HTML_TOKENS_H_
#define PINLET_INSPECTOR_RTF2HTML_TOKENS_H_

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
// between tokens carry no meaning and are dropped; text runs until "\", "{", "}" or
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
  kB,
  kBlue,
  kBullet,
  kCf,
  kColortbl,
  kF,
  kFonttbl,
  kFs,
  kGreen,
  kI,
  kInfo,
  kList,
  kListoverridetable,
  kListtable,
  kListtext,
  kNosupersub,
  kPar,
  kPard,
  kPict,
  kPlain,
  kPnlvlblt,
  kPntext,
  kQc,
  kQr,
  kRed,
  kStrike,
  kStylesheet,
  kSub,
  kSuper,
  kTab,
  kUl,
  kUlnone,
};

Word ClassifyWord(std::string_view name);

// What a hexadecimal escape stands for, from its two digits exactly as written
// (lower-case letters only): an HTML entity or text, "<rtf>:" followed by RTF to read
// in its place, or empty when the escape is dropped.
std::string_view HexEscapeHtml(char high, char low);

}  // namespace pinlet::rtf2html_detail

#endif  // PINLET_INSPECTOR_RTF2HTML_TOKENS_H_
