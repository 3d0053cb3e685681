#include "rtf/rtf2html.h"

#include <algorithm>
#include <new>

#include "rtf/rtf2html_converter.h"

namespace pinlet {
namespace rtf2html_detail {
namespace {

// Input trimming: blanks and line breaks at both ends, and the NUL terminator that
// some sources leave after the closing brace.
bool IsTrimmed(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\0'; }

std::string_view Trim(std::string_view rtf) {
  while (!rtf.empty() && IsTrimmed(rtf.front())) rtf.remove_prefix(1);
  while (!rtf.empty() && IsTrimmed(rtf.back())) rtf.remove_suffix(1);
  if (rtf.size() >= 2 && rtf.front() == '{' && rtf.back() == '}') {
    rtf = rtf.substr(1, rtf.size() - 2);
  }
  return rtf;
}

}  // namespace

Converter::Converter(std::string_view options, bool counting) noexcept : out_(counting) {
  if (options.find("+CR") != std::string_view::npos) line_end_ = "\r\n";
  if (options.find("-FF") != std::string_view::npos) faces_on_ = false;
  const std::size_t size_flag = options.find("+F=");
  if (size_flag != std::string_view::npos) {
    for (std::size_t i = size_flag + 3; i < options.size(); ++i) {
      const char c = options[i];
      if (c < '0' || c > '9') break;
      default_size_ = std::min(default_size_ * 10 + (c - '0'), 1000000);
    }
  }
}

void Converter::Run(std::string_view rtf) {
  rtf = Trim(rtf);
  Tokenizer tokenizer(rtf);
  tokenizer_ = &tokenizer;
  Token token;
  for (;;) {
    if (skipping_) {
      if (tokenizer.SkipGroup(depth_, skip_floor_, list_mode_)) {
        skipping_ = false;
        CloseGroup();
        continue;
      }
    } else if (tokenizer.Next(token)) {
      // RTF2HTML takes "\" before a line break for nothing, not for \par.
      if (token.kind != Token::Kind::kBreak) Dispatch(token);
      continue;
    }
    // The end of the input. A table that never closed ends after its last entry.
    if (mode_ == Mode::kBody || recovered_) break;
    recovered_ = true;
    mode_ = Mode::kBody;
    skipping_ = false;
    depth_ = table_depth_;
    tokenizer.Seek(resume_pos_);
  }
  tokenizer_ = nullptr;
}

std::string Converter::Finish() noexcept {
  try {
    FlushLoneSurrogate();
    while (open_count_ > 0) WriteClose(open_[--open_count_]);
  } catch (const std::bad_alloc&) {
    // Out of memory while closing: hand over what there is.
  }
  return out_.Take();
}

void Converter::Dispatch(const Token& original) {
  Token token = original;
  if (fallback_left_ > 0 && !SkipFallback(token)) return;
  if (high_surrogate_ != 0 &&
      !(token.kind == Token::Kind::kWord && ClassifyWord(token.text) == Word::kU)) {
    FlushLoneSurrogate();
  }
  if (token.kind == Token::Kind::kOpen) return OpenGroup();
  if (token.kind == Token::Kind::kClose) return CloseGroup();
  if (mode_ == Mode::kColourTable) return OnColourToken(token);
  if (mode_ == Mode::kFontTable) return OnFontToken(token);
  switch (token.kind) {
    case Token::Kind::kText:
      return DocumentText(token.text);
    case Token::Kind::kEscaped:
      return Text(token.text, false);
    case Token::Kind::kHex:
      return OnHex(token);
    case Token::Kind::kWord:
      return OnBodyWord(token);
    default:
      return;
  }
}

void Converter::OpenGroup() {
  ++depth_;
  if (mode_ == Mode::kFontTable && depth_ == table_depth_ + 1) {
    font_number_ = -1;
    font_name_.clear();
    font_stored_ = false;
  }
}

void Converter::CloseGroup() {
  if (mode_ != Mode::kBody) {
    if (depth_ == table_depth_) {
      EndTable();
    } else if (mode_ == Mode::kFontTable && depth_ == table_depth_ + 1) {
      EndFontEntry();
    }
  }
  if (depth_ == 0) return;  // a "}" without its "{"
  if (!saved_chars_.empty() && saved_chars_.back().first == depth_) {
    chars_ = saved_chars_.back().second;
    saved_chars_.pop_back();
    dirty_ = true;
  }
  --depth_;
}

void Converter::BeginSkip() {
  skipping_ = true;
  skip_floor_ = depth_;
}

void Converter::OnBodyWord(const Token& token) {
  const bool on = !token.has_param || token.param != 0;
  switch (ClassifyWord(token.text)) {
    case Word::kB:
      return SetAttribute(Tag::kBold, on);
    case Word::kI:
      return SetAttribute(Tag::kItalic, on);
    case Word::kUl:
      return SetAttribute(Tag::kUnderline, on);
    case Word::kUlnone:
      return SetAttribute(Tag::kUnderline, false);
    case Word::kStrike:
      return SetAttribute(Tag::kStrike, on);
    case Word::kSuper:
      return SetPosition(1);
    case Word::kSub:
      return SetPosition(2);
    case Word::kNosupersub:
      return SetPosition(0);
    case Word::kPlain: {
      if (chars_.count == 0) return;
      SaveCharsForGroup();
      const std::uint16_t fallback = chars_.fallback;
      chars_ = CharState{};
      chars_.fallback = fallback;
      dirty_ = true;
      return;
    }
    case Word::kU:
      return OnUnicode(token);
    case Word::kAnsicpg:
      if (token.has_param) code_page_ = token.param;
      return;
    case Word::kUc: {
      if (!token.has_param) return;
      const std::uint16_t fallback =
          static_cast<std::uint16_t>(std::clamp(token.param, 0, 0xffff));
      if (fallback == chars_.fallback) return;
      SaveCharsForGroup();
      chars_.fallback = fallback;
      return;
    }
    case Word::kLine:
      Text("<br>", true);
      line_start_ = true;
      return;
    case Word::kTilde:
      return Text("&nbsp;", true);
    case Word::kLquote:
      return Text("&lsquo;", true);
    case Word::kRquote:
      return Text("&rsquo;", true);
    case Word::kLdblquote:
      return Text("&ldquo;", true);
    case Word::kRdblquote:
      return Text("&rdquo;", true);
    case Word::kEndash:
      return Text("&ndash;", true);
    case Word::kEmdash:
      return Text("&mdash;", true);
    case Word::kCf: {
      const std::int32_t n = token.has_param ? token.param : 0;
      FontKey font = chars_.font;
      if (n == 0) {
        font.colour = 0;
      } else if (n > 0 && static_cast<std::size_t>(n) < colours_.size()) {
        font.colour = n;
      }
      return SetFont(font);
    }
    case Word::kF: {
      if (!faces_on_) return;
      FontKey font = chars_.font;
      font.face = FaceOf(token.has_param ? token.param : 0);
      return SetFont(font);
    }
    case Word::kFs: {
      if (!token.has_param) return;
      FontKey font = chars_.font;
      const int size = std::clamp(token.param / 7, 1, 8);
      font.size = static_cast<std::uint8_t>(size == default_size_ ? 0 : size);
      return SetFont(font);
    }
    case Word::kPar:
      if (item_active_) {
        item_active_ = false;  // a list item ends with its paragraph
        dirty_ = true;
      } else {
        ++pending_breaks_;
      }
      line_start_ = true;
      return;
    case Word::kPard:
      if (item_active_ || align_ != 0) dirty_ = true;
      item_active_ = false;
      align_ = 0;
      return;
    case Word::kQc:
    case Word::kQr: {
      const std::uint8_t align = ClassifyWord(token.text) == Word::kQc ? 1 : 2;
      if (align_ != align) dirty_ = true;
      align_ = align;
      return;
    }
    case Word::kBullet:
    case Word::kPnlvlblt:
      return StartListItem();
    case Word::kPntext:
      StartListItem();
      return BeginSkip();
    case Word::kListtext:
      if (!list_mode_) return;
      StartListItem();
      return BeginSkip();
    case Word::kList:
      // "\list\" names a list definition: the document numbers its list paragraphs
      // with \listtext groups.
      if (!token.has_param && token.follows == '\\') list_mode_ = true;
      return;
    case Word::kTab:
      return Text("\t", false);
    case Word::kStar:
    case Word::kPict:
    case Word::kStylesheet:
    case Word::kInfo:
    case Word::kListtable:
    case Word::kListoverridetable:
      return BeginSkip();
    case Word::kColortbl:
      return BeginTable(Mode::kColourTable);
    case Word::kFonttbl:
      return BeginTable(Mode::kFontTable);
    default:
      return;
  }
}

void Converter::SaveCharsForGroup() {
  if (depth_ == 0 || depth_ > kMaxScopedDepth) return;
  if (saved_chars_.empty() || saved_chars_.back().first != depth_) {
    saved_chars_.emplace_back(depth_, chars_);
  }
}

void Converter::SetAttribute(Tag tag, bool on) {
  if (chars_.Has(tag) == on) return;
  SaveCharsForGroup();
  if (on) {
    chars_.Add(tag);
  } else {
    chars_.Remove(tag);
  }
  dirty_ = true;
}

void Converter::SetPosition(std::uint8_t position) {
  if (chars_.position == position) return;
  SaveCharsForGroup();
  chars_.position = position;
  if (position == 0) {
    chars_.Remove(Tag::kVerticalPosition);
  } else {
    chars_.Add(Tag::kVerticalPosition);
  }
  dirty_ = true;
}

void Converter::SetFont(const FontKey& font) {
  if (chars_.font == font) return;
  SaveCharsForGroup();
  chars_.font = font;
  if (font.Empty()) {
    chars_.Remove(Tag::kFont);
  } else {
    chars_.Add(Tag::kFont);
  }
  dirty_ = true;
}

void Converter::StartListItem() {
  item_active_ = true;
  ++item_number_;
  dirty_ = true;
}

}  // namespace rtf2html_detail

std::string RTF2HTML(std::string_view rtf, std::string_view options) noexcept {
  // The first pass only counts, so the second allocates the output once: the peak
  // memory is the input and the output, never a growing buffer's old and new copies.
  std::size_t size = 0;
  {
    rtf2html_detail::Converter counter(options, true);
    try {
      counter.Run(rtf);
      counter.Finish();
      size = counter.size();
    } catch (const std::bad_alloc&) {
      // The writing pass below grows its output as it goes.
    }
  }
  rtf2html_detail::Converter converter(options, false);
  try {
    converter.Reserve(size);
    converter.Run(rtf);
  } catch (const std::bad_alloc&) {
    // The only exception the conversion raises; the HTML written before it is still
    // the best result there is.
  }
  return converter.Finish();
}

}  // namespace pinlet
