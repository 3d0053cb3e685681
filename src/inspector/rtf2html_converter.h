// The state of one RTF2HTML conversion. Private to src/inspector: rtf2html.cc holds
// the main loop and the HTML output, rtf2html_tables.cc the colour and font tables.

#ifndef PINLET_INSPECTOR_RTF2HTML_CONVERTER_H_
#define PINLET_INSPECTOR_RTF2HTML_CONVERTER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inspector/rtf2html_tokens.h"

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
// on, which is the order their elements nest in.
struct CharState {
  std::array<Tag, 6> order{};
  std::uint8_t count = 0;
  std::uint8_t position = 0;  // 0 normal, 1 superscript, 2 subscript
  FontKey font;

  bool Has(Tag tag) const;
  void Add(Tag tag);
  void Remove(Tag tag);
};

class Converter {
 public:
  explicit Converter(std::string_view options) noexcept;

  // Converts `rtf`, appending to the output. May throw std::bad_alloc.
  void Run(std::string_view rtf);
  // Closes what is still open and hands over the HTML. Never throws.
  std::string Finish() noexcept;

 private:
  enum class Mode : std::uint8_t { kBody, kColourTable, kFontTable };
  static constexpr std::size_t kMaxElements = 9;
  static constexpr std::size_t kMaxFaceLength = 64;

  void Dispatch(const Token& token);
  void OnBodyWord(const Token& token);
  void OnHex(const Token& token);
  void OpenGroup();
  void CloseGroup();
  void BeginSkip();

  // Tables (rtf2html_tables.cc).
  void BeginTable(Mode mode);
  void OnColourToken(const Token& token);
  void OnFontToken(const Token& token);
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
  static void AppendEscaped(std::string& to, std::string_view text, bool in_attribute);

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

  // Output.
  std::array<Element, kMaxElements> open_{};
  std::size_t open_count_ = 0;
  std::size_t pending_breaks_ = 0;
  bool line_start_ = true;
  std::string scratch_;
  std::string out_;
};

}  // namespace pinlet::rtf2html_detail

#endif  // PINLET_INSPECTOR_RTF2HTML_CONVERTER_H_
