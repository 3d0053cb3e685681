// The state of one RTF2HTML conversion. Private to src/inspector: rtf2html.cc holds
// the main loop and the control words, rtf2html_characters.cc the escapes and
// Unicode characters, rtf2html_output.cc the HTML output, rtf2html_tables.cc the
// colour and font tables.

#ifndef PINLET_RTF_RTF2HTML_CONVERTER_H_
#define PINLET_RTF_RTF2HTML_CONVERTER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rtf/rtf2html_tokens.h"

namespace pinlet::rtf2html_detail {

// The HTML elements the converter writes, paragraph elements first.
enum class Tag : std::uint8_t {
  kList,
  kItem,
  kAlign,
  kBold,
  kItalic,
  kUnderline,
  kStrike,
  kVerticalPosition,
  kFont,
};

// Face, colour and size of a font tag; the tag is written when any is set.
struct FontKey {
  std::int32_t face = -1;   // index into Converter::faces_, -1 for none
  std::int32_t colour = 0;  // colour table index, 0 for none (the automatic colour)
  std::uint8_t size = 0;    // HTML size 1 to 8, 0 for none
  bool Empty() const { return face < 0 && colour == 0 && size == 0; }
  bool operator==(const FontKey&) const = default;
};

// One element of the desired or the open stack.
struct Element {
  Tag tag = Tag::kList;
  std::uint8_t variant = 0;  // alignment (1 centre, 2 right) or position (1 sup, 2 sub)
  std::uint32_t item = 0;    // list item number: a new item closes the previous one
  FontKey font;
  bool operator==(const Element&) const = default;
};

// Character formatting: the switched-on attributes in the order they were switched
// on, which is the order their elements nest in. The fallback length of \uN is
// group-scoped like formatting, so it is kept here too.
struct CharState {
  std::array<Tag, 6> order{};
  std::uint8_t count = 0;
  std::uint8_t position = 0;   // 0 normal, 1 superscript, 2 subscript
  std::uint16_t fallback = 1;  // \ucN: characters to skip after each \uN
  FontKey font;

  bool Has(Tag tag) const;
  void Add(Tag tag);
  void Remove(Tag tag);
};

// Where the HTML goes: a string, or only a count of its bytes. Counting first lets
// the real conversion allocate its output once, at its final size.
class Output {
 public:
  explicit Output(bool counting) : counting_(counting) {}
  void Reserve(std::size_t size) {
    if (!counting_) text_.reserve(size);
  }
  void Append(std::string_view text) {
    if (counting_) {
      size_ += text.size();
    } else {
      text_.append(text);
    }
  }
  std::size_t size() const { return counting_ ? size_ : text_.size(); }
  std::string Take() { return std::move(text_); }

 private:
  bool counting_;
  std::size_t size_ = 0;
  std::string text_;
};

// The code page of a document that declares none.
inline constexpr int kDefaultCodePage = 1252;

// The character of `byte` in the Windows code page `code_page`: Windows-1252 and
// the single-byte code pages 874 and 1250 to 1258. U+FFFD for a byte from 0x80 in
// any other code page (those of several bytes per character among them).
char32_t CodePageCharacter(int code_page, unsigned char byte);

class Converter {
 public:
  // With `counting`, nothing is written: size() gives the length the HTML would have.
  Converter(std::string_view options, bool counting) noexcept;

  // Allocates the output; may throw std::bad_alloc.
  void Reserve(std::size_t size) { out_.Reserve(size); }
  // Converts `rtf`, appending to the output. May throw std::bad_alloc.
  void Run(std::string_view rtf);
  // Closes what is still open and hands over the HTML (empty when counting). Never
  // throws.
  std::string Finish() noexcept;
  std::size_t size() const { return out_.size(); }

  // A Windows font face name holds at most 31 characters; a face is kept to as many
  // bytes of UTF-8.
  static constexpr std::size_t kMaxFaceLength = 31;
  // Table entries and group levels beyond these are not kept, so the converter's
  // own memory stays below about a megabyte whatever the input: colours and fonts
  // past the limit are ignored, and formatting changed in groups nested deeper than
  // the limit is not restored at their "}".
  static constexpr std::size_t kMaxColours = 4096;
  static constexpr std::size_t kMaxFonts = 4096;
  static constexpr std::size_t kMaxScopedDepth = 4096;

 private:
  enum class Mode : std::uint8_t { kBody, kColourTable, kFontTable };
  static constexpr std::size_t kMaxElements = 9;

  void Dispatch(const Token& token);
  bool SkipFallback(Token& token);
  void OnBodyWord(const Token& token);
  void OnHex(const Token& token);
  void OnUnicode(const Token& token);
  void Character(char32_t c);
  void DocumentText(std::string_view text);
  void FlushLoneSurrogate();
  void OpenGroup();
  void CloseGroup();
  void BeginSkip();

  // Tables (rtf2html_tables.cc).
  void BeginTable(Mode mode);
  void OnColourToken(const Token& token);
  void OnFontToken(const Token& token);
  void AppendToFaceName(char c);
  void EndFontEntry();
  void StoreFont();
  void EndTable();
  std::int32_t FaceOf(std::int32_t font_number) const;

  // Formatting state.
  void SaveCharsForGroup();
  void SetAttribute(Tag tag, bool on);
  void SetPosition(std::uint8_t position);
  void SetFont(const FontKey& font);
  void StartListItem();

  // Output.
  void Text(std::string_view text, bool is_html);
  void Reconcile();
  void WriteOpen(const Element& element);
  void WriteClose(const Element& element);
  void AppendEscaped(std::string_view text);

  // Options.
  std::string_view line_end_;
  int default_size_ = 0;
  bool faces_on_ = true;

  // Input position and groups.
  Tokenizer* tokenizer_ = nullptr;
  std::size_t depth_ = 0;
  bool skipping_ = false;
  std::size_t skip_floor_ = 0;
  bool list_mode_ = false;

  // Tables. A table whose group never closes ends after its last complete entry:
  // the input is read again from `resume_pos_` as body text, once per conversion.
  Mode mode_ = Mode::kBody;
  std::size_t table_depth_ = 0;
  std::size_t resume_pos_ = 0;
  bool recovered_ = false;
  std::vector<std::uint32_t> colours_;  // 0xRRGGBB per colour table entry
  std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
  std::vector<std::string> faces_;                   // every face name read
  std::map<std::int32_t, std::int32_t> font_faces_;  // font number -> index in faces_
  std::int32_t font_number_ = -1;
  std::string font_name_;
  bool font_stored_ = false;

  // Formatting asked for by the RTF.
  CharState chars_;
  std::vector<std::pair<std::size_t, CharState>> saved_chars_;  // (group depth, state)
  bool item_active_ = false;
  std::uint32_t item_number_ = 0;
  std::uint8_t align_ = 0;  // 0 left, 1 centre, 2 right
  bool dirty_ = false;      // asked-for formatting may differ from the open elements

  // The code page of the bytes from 0x80 that the document holds raw (\ansicpgN).
  int code_page_ = kDefaultCodePage;

  // Unicode characters: the fallback still to skip after a \uN, and a high surrogate
  // waiting for its low half.
  std::size_t fallback_left_ = 0;
  char32_t high_surrogate_ = 0;

  // Output.
  std::array<Element, kMaxElements> open_{};
  std::size_t open_count_ = 0;
  std::size_t pending_breaks_ = 0;
  bool line_start_ = true;
  std::string scratch_;
  Output out_;
};

}  // namespace pinlet::rtf2html_detail

#endif  // PINLET_RTF_RTF2HTML_CONVERTER_H_
