// HTML output: the reconciliation of asked-for formatting with the open elements,
// and the escaping of text.

#include <algorithm>

#include "inspector/rtf2html_converter.h"

namespace pinlet::rtf2html_detail {
namespace {

constexpr std::array<std::string_view, 256> kEscapes = [] {
  std::array<std::string_view, 256> escapes{};
  escapes[static_cast<unsigned char>('&')] = "&amp;";
  escapes[static_cast<unsigned char>('<')] = "&lt;";
  escapes[static_cast<unsigned char>('>')] = "&gt;";
  return escapes;
}();

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
  if (text.empty()) return;
  for (; pending_breaks_ > 0; --pending_breaks_) {
    out_ += "<br>";
    out_ += line_end_;
  }
  if (dirty_) Reconcile();
  if (line_start_) {
    line_start_ = false;
    while (!is_html && !text.empty() && text.front() == ' ') {
      out_ += "&nbsp;";
      text.remove_prefix(1);
    }
  }
  if (is_html) {
    out_ += text;
  } else {
    AppendEscaped(out_, text, false);
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
      out_ += "<ul>";
      return;
    case Tag::kItem:
      out_ += "<li>";
      return;
    case Tag::kAlign:
      out_ += element.variant == 1 ? "<table width=100%><tr><td align=\"center\">"
                                   : "<table width=100%><tr><td align=\"right\">";
      return;
    case Tag::kBold:
      out_ += "<b>";
      return;
    case Tag::kItalic:
      out_ += "<i>";
      return;
    case Tag::kUnderline:
      out_ += "<u>";
      return;
    case Tag::kStrike:
      out_ += "<s>";
      return;
    case Tag::kVerticalPosition:
      out_ += element.variant == 1 ? "<sup>" : "<sub>";
      return;
    case Tag::kFont:
      break;
  }
  // Built aside and appended at once, so running out of memory never leaves half a
  // tag in the output.
  static constexpr char kHex[] = "0123456789ABCDEF";
  const FontKey& font = element.font;
  scratch_.assign("<font");
  if (font.face >= 0 && static_cast<std::size_t>(font.face) < faces_.size()) {
    scratch_ += " face=\"";
    AppendEscaped(scratch_, faces_[font.face], true);
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
  out_ += scratch_;
}

void Converter::WriteClose(const Element& element) {
  static constexpr std::array<std::string_view, kMaxElements> kCloses = {
      "</ul>", "</li>",  "</td></tr></table>", "</b>", "</i>", "</u>", "</s>",
      "",      "</font>"};
  if (element.tag == Tag::kVerticalPosition) {
    out_ += element.variant == 1 ? "</sup>" : "</sub>";
  } else {
    out_ += kCloses[static_cast<std::size_t>(element.tag)];
  }
}

void Converter::AppendEscaped(std::string& to, std::string_view text, bool in_attribute) {
  const char* data = text.data();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view entity = kEscapes[static_cast<unsigned char>(data[i])];
    if (in_attribute && data[i] == '"') entity = "&quot;";
    if (entity.empty()) continue;
    to.append(data + start, i - start);
    to += entity;
    start = i + 1;
  }
  to.append(data + start, text.size() - start);
}

}  // namespace pinlet::rtf2html_detail
