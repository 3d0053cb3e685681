// HTML output: the reconciliation of asked-for formatting with the open elements,
// and the escaping of text.

#include <algorithm>

#include "rtf/rtf2html_converter.h"

namespace pinlet::rtf2html_detail {
namespace {

// What a byte of text becomes when it is not itself: an entity, or nothing for the
// control bytes that never reach the HTML (all but tab, LF and CR, and DEL).
struct Escape {
  std::string_view html;
  bool replaced = false;
};

constexpr std::array<Escape, 256> kEscapes = [] {
  std::array<Escape, 256> escapes{};
  for (int c = 0; c < 0x20; ++c) escapes[c] = {"", true};
  for (unsigned char c : {'\t', '\n', '\r'}) escapes[c] = {};
  escapes[0x7f] = {"", true};
  escapes[static_cast<unsigned char>('&')] = {"&amp;", true};
  escapes[static_cast<unsigned char>('<')] = {"&lt;", true};
  escapes[static_cast<unsigned char>('>')] = {"&gt;", true};
  return escapes;
}();

bool IsDroppedByte(char c) {
  const Escape& escape = kEscapes[static_cast<unsigned char>(c)];
  return escape.replaced && escape.html.empty();
}

}  // namespace

bool CharState::Has(Tag tag) const {
  return std::find(order.begin(), order.begin() + count, tag) != order.begin() + count;
}

void CharState::Add(Tag tag) {
  if (!Has(tag) && count < order.size()) order[count++] = tag;
}

void CharState::Remove(Tag tag) {
  auto end = order.begin() + count;
  auto it = std::find(order.begin(), end, tag);
  if (it == end) return;
  std::copy(it + 1, end, it);
  --count;
}

void Converter::Text(std::string_view text, bool is_html) {
  if (!is_html) {
    // Text made only of dropped control bytes is no text: it opens nothing.
    while (!text.empty() && IsDroppedByte(text.front())) text.remove_prefix(1);
  }
  if (text.empty()) return;
  for (; pending_breaks_ > 0; --pending_breaks_) {
    out_.Append("<br>");
    out_.Append(line_end_);
  }
  if (dirty_) Reconcile();
  if (line_start_) {
    line_start_ = false;
    while (!is_html && !text.empty() && text.front() == ' ') {
      out_.Append("&nbsp;");
      text.remove_prefix(1);
    }
  }
  if (is_html) {
    out_.Append(text);
  } else {
    AppendEscaped(text);
  }
}

void Converter::Reconcile() {
  std::array<Element, kMaxElements> want{};
  std::size_t count = 0;
  if (item_active_) {
    want[count++].tag = Tag::kList;
    want[count].tag = Tag::kItem;
    want[count++].item = item_number_;
  }
  if (align_ != 0) {
    want[count].tag = Tag::kAlign;
    want[count++].variant = align_;
  }
  for (std::size_t i = 0; i < chars_.count; ++i) {
    Element& element = want[count++];
    element.tag = chars_.order[i];
    if (element.tag == Tag::kVerticalPosition) element.variant = chars_.position;
    if (element.tag == Tag::kFont) element.font = chars_.font;
  }
  std::size_t common = 0;
  while (common < count && common < open_count_ && open_[common] == want[common]) {
    ++common;
  }
  while (open_count_ > common) WriteClose(open_[--open_count_]);
  for (std::size_t i = common; i < count; ++i) {
    WriteOpen(want[i]);
    open_[open_count_++] = want[i];
  }
  dirty_ = false;
}

void Converter::WriteOpen(const Element& element) {
  switch (element.tag) {
    case Tag::kList:
      return out_.Append("<ul>");
    case Tag::kItem:
      return out_.Append("<li>");
    case Tag::kAlign:
      return out_.Append(element.variant == 1
                             ? "<table width=100%><tr><td align=\"center\">"
                             : "<table width=100%><tr><td align=\"right\">");
    case Tag::kBold:
      return out_.Append("<b>");
    case Tag::kItalic:
      return out_.Append("<i>");
    case Tag::kUnderline:
      return out_.Append("<u>");
    case Tag::kStrike:
      return out_.Append("<s>");
    case Tag::kVerticalPosition:
      return out_.Append(element.variant == 1 ? "<sup>" : "<sub>");
    case Tag::kFont:
      break;
  }
  // Built aside and appended at once, so running out of memory never leaves half a
  // tag in the output.
  static constexpr char kHex[] = "0123456789ABCDEF";
  const FontKey& font = element.font;
  scratch_.assign("<font");
  if (font.face >= 0 && static_cast<std::size_t>(font.face) < faces_.size()) {
    // Face names hold no character that needs escaping (see StoreFont).
    scratch_ += " face=\"";
    scratch_ += faces_[font.face];
    scratch_ += '"';
  }
  if (font.colour > 0 && static_cast<std::size_t>(font.colour) < colours_.size()) {
    const std::uint32_t rgb = colours_[font.colour];
    scratch_ += " color=\"#";
    for (int shift = 20; shift >= 0; shift -= 4) scratch_ += kHex[(rgb >> shift) & 0xf];
    scratch_ += '"';
  }
  if (font.size != 0 && font.size != default_size_) {
    scratch_ += " size=";
    scratch_ += static_cast<char>('0' + font.size);
  }
  scratch_ += '>';
  out_.Append(scratch_);
}

void Converter::WriteClose(const Element& element) {
  static constexpr std::array<std::string_view, kMaxElements> kCloses = {
      "</ul>", "</li>",  "</td></tr></table>", "</b>", "</i>", "</u>", "</s>",
      "",      "</font>"};
  if (element.tag == Tag::kVerticalPosition) {
    out_.Append(element.variant == 1 ? "</sup>" : "</sub>");
  } else {
    out_.Append(kCloses[static_cast<std::size_t>(element.tag)]);
  }
}

void Converter::AppendEscaped(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Escape& escape = kEscapes[static_cast<unsigned char>(text[i])];
    if (!escape.replaced) continue;
    out_.Append(text.substr(start, i - start));
    out_.Append(escape.html);
    start = i + 1;
  }
  out_.Append(text.substr(start));
}

}  // namespace pinlet::rtf2html_detail
