// The colour and font tables. Each is read from its group as the tokens arrive; the
// body's \cf and \f words refer to them by number.

#include <algorithm>

#include "rtf/rtf2html_converter.h"
#include "platform/text.h"

namespace pinlet::rtf2html_detail {
namespace {

std::uint32_t ColourComponent(const Token& token) {
  if (!token.has_param) return 0;
  return static_cast<std::uint32_t>(std::clamp(token.param, 0, 255));
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Characters a face name keeps: no control bytes, and none of the characters that
// HTML would need escaped in an attribute, which no real face name holds. So a face
// costs at most its 31 bytes in every font tag written.
bool KeptInFaceName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte != 0x7f && c != '"' && c != '<' && c != '>' && c != '&';
}

}  // namespace

void Converter::BeginTable(Mode mode) {
  mode_ = mode;
  table_depth_ = depth_;
  resume_pos_ = tokenizer_->pos();
  if (mode == Mode::kColourTable) {
    colours_.clear();
    red_ = green_ = blue_ = 0;
  } else {
    font_number_ = -1;
    font_name_.clear();
    font_stored_ = false;
  }
}

void Converter::EndTable() {
  if (mode_ == Mode::kFontTable && !font_stored_) StoreFont();
  mode_ = Mode::kBody;
}

// Colour table: "\red", "\green" and "\blue" set the components (clamped to 0-255)
// and every ";" ends an entry. The entry before the first ";" is usually empty: it is
// the automatic colour, index 0, which \cf never selects.
void Converter::OnColourToken(const Token& token) {
  if (token.kind == Token::Kind::kWord) {
    switch (ClassifyWord(token.text)) {
      case Word::kRed:
        red_ = ColourComponent(token);
        return;
      case Word::kGreen:
        green_ = ColourComponent(token);
        return;
      case Word::kBlue:
        blue_ = ColourComponent(token);
        return;
      default:
        return;
    }
  }
  if (token.kind != Token::Kind::kText) return;
  const std::size_t begin = token.end - token.text.size();
  for (std::size_t i = 0; i < token.text.size(); ++i) {
    if (token.text[i] != ';') continue;
    if (colours_.size() < kMaxColours)
      colours_.push_back(red_ << 16 | green_ << 8 | blue_);
    red_ = green_ = blue_ = 0;
    resume_pos_ = begin + i + 1;
  }
}

// Font table: each entry is a group "{\fN ... Name;}" (or, in old tables, a run
// "\fN ... Name;" without a group). The name is the entry's own text before ";";
// text of nested groups (\panose, \falt) is not part of it.
void Converter::OnFontToken(const Token& token) {
  if (depth_ > table_depth_ + 1) return;
  if (token.kind == Token::Kind::kWord) {
    if (ClassifyWord(token.text) != Word::kF || !token.has_param) return;
    if (depth_ == table_depth_) {  // an entry without a group starts here
      font_name_.clear();
      font_stored_ = false;
    }
    font_number_ = token.param;
    return;
  }
  if (token.kind != Token::Kind::kText) return;
  const std::size_t begin = token.end - token.text.size();
  for (std::size_t i = 0; i < token.text.size(); ++i) {
    const char c = token.text[i];
    if (c == ';') {
      if (!font_stored_) StoreFont();
      resume_pos_ = begin + i + 1;
    } else if (!font_stored_ && !(c == ' ' && font_name_.empty())) {
      AppendToFaceName(c);
    }
  }
}

// A byte of a face name: ASCII as itself, a byte from 0x80 as its character in the
// document's code page, while the name stays within kMaxFaceLength bytes.
void Converter::AppendToFaceName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x80) {
    if (font_name_.size() < kMaxFaceLength && KeptInFaceName(c)) font_name_ += c;
    return;
  }
  const char32_t character = CodePageCharacter(code_page_, byte);
  if (IsDroppedControl(character)) return;
  const std::string utf8 = CodePointToUtf8(character);
  if (font_name_.size() + utf8.size() <= kMaxFaceLength) font_name_ += utf8;
}

void Converter::EndFontEntry() {
  if (!font_stored_) StoreFont();
  resume_pos_ = tokenizer_->pos();
  font_number_ = -1;
  font_name_.clear();
  font_stored_ = false;
}

void Converter::StoreFont() {
  font_stored_ = true;
  if (font_number_ < 0) return;
  if (font_faces_.size() >= kMaxFonts && !font_faces_.contains(font_number_)) return;
  const std::string_view name = TrimTrailingBlanks(font_name_);
  std::int32_t face = -1;
  if (!name.empty() && faces_.size() < kMaxFonts) {
    face = static_cast<std::int32_t>(faces_.size());
    faces_.emplace_back(name);
  }
  font_faces_[font_number_] = face;
}

std::int32_t Converter::FaceOf(std::int32_t font_number) const {
  const auto it = font_faces_.find(font_number);
  return it == font_faces_.end() ? -1 : it->second;
}

}  // namespace pinlet::rtf2html_detail
