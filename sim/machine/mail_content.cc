#include "sim/machine/mail_content.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/outlook_items.h"
#include "platform/text.h"
#include "rtf/rtf2html_tokens.h"

namespace pinlet::sim {
namespace {

bool StartsWithFolded(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  return true;
}

std::string Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(begin, end - begin + 1));
}

// The character an HTML entity at `text[at]` ('&') stands for, and its
// length; nullopt-like (0) when it is none we know.
size_t Entity(std::string_view text, size_t at, std::string& out) {
  size_t semi = text.find(';', at);
  if (semi == std::string_view::npos || semi - at > 10) return 0;
  std::string_view name = text.substr(at + 1, semi - at - 1);
  static const std::pair<std::string_view, char32_t> kNamed[] = {
      {"amp", '&'},      {"lt", '<'},       {"gt", '>'},        {"quot", '"'},
      {"apos", '\''},    {"nbsp", 0xA0},    {"copy", 0xA9},     {"reg", 0xAE},
      {"mdash", 0x2014}, {"ndash", 0x2013}, {"hellip", 0x2026}, {"euro", 0x20AC}};
  for (auto& [n, c] : kNamed) {
    if (name == n) {
      out += CodePointToUtf8(c);
      return semi - at + 1;
    }
  }
  if (name.size() > 1 && name[0] == '#') {
    bool hex = name[1] == 'x' || name[1] == 'X';
    std::string digits(name.substr(hex ? 2 : 1));
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    if (digits.empty() || *end) return 0;
    out += CodePointToUtf8(static_cast<char32_t>(value));
    return semi - at + 1;
  }
  return 0;
}

// An HTML document as Outlook's converters make one, saying what it was
// converted from, around `body`.
std::string ConvertedHtml(std::string_view from, std::string_view body) {
  return "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
         "charset=utf-8\">\r\n</HEAD>\r\n<BODY>\r\n<!-- Converted from " +
         std::string(from) + " format -->\r\n\r\n<P><FONT SIZE=2>" + std::string(body) +
         "</FONT>\r\n</P>\r\n\r\n</BODY>\r\n</HTML>";
}

}  // namespace

std::string TextMember(const ItemContent& item, std::string_view member) {
  auto it = item.members.find(member);
  return it != item.members.end() && it->second.IsText() ? it->second.text() : "";
}

int BodyFormatOf(const ItemContent& item) {
  auto it = item.members.find("BodyFormat");
  return it == item.members.end() ? ol::kOlFormatPlain : ToLong(it->second);
}

std::string BodyOf(const ItemContent& item) { return TextMember(item, "Body"); }

std::string HtmlBodyOf(const ItemContent& item) {
  switch (BodyFormatOf(item)) {
    case ol::kOlFormatHTML:
      return TextMember(item, "HTMLBody");
    case ol::kOlFormatRichText:
      return RtfToHtml(TextMember(item, "RTFBody"));
    default:
      return "";
  }
}

std::string RtfBodyOf(const ItemContent& item) {
  return BodyFormatOf(item) == ol::kOlFormatRichText ? TextMember(item, "RTFBody") : "";
}

void WriteBody(ItemContent& item, std::string_view text) {
  item.members["Body"] = Variant(text);
  int format = BodyFormatOf(item);
  if (format == ol::kOlFormatHTML) item.members["HTMLBody"] = Variant(TextToHtml(text));
  if (format == ol::kOlFormatRichText) item.members["RTFBody"] = Variant(TextToRtf(text));
}

void WriteHtmlBody(ItemContent& item, std::string_view html) {
  item.members["BodyFormat"] = Variant(int32_t{ol::kOlFormatHTML});
  item.members["HTMLBody"] = Variant(html);
  item.members["Body"] = Variant(HtmlToText(html));
  item.members.erase("RTFBody");
}

void WriteRtfBody(ItemContent& item, std::string_view rtf) {
  item.members["BodyFormat"] = Variant(int32_t{ol::kOlFormatRichText});
  item.members["RTFBody"] = Variant(rtf);
  item.members["Body"] = Variant(RtfToText(rtf));
  item.members.erase("HTMLBody");
}

void WriteBodyFormat(ItemContent& item, int format) {
  if (format == BodyFormatOf(item)) return;
  // The text itself stays as it was; only its formatted forms change.
  std::string text = BodyOf(item);
  item.members.erase("HTMLBody");
  item.members.erase("RTFBody");
  item.members["BodyFormat"] = Variant(int32_t{format});
  if (format == ol::kOlFormatHTML) item.members["HTMLBody"] = Variant(TextToHtml(text));
  if (format == ol::kOlFormatRichText) item.members["RTFBody"] = Variant(TextToRtf(text));
}

std::string HtmlToText(std::string_view html) {
  std::string out;
  bool space = false;  // whitespace seen since the last character
  auto line_break = [&] {
    out += "\r\n";
    space = false;
  };
  for (size_t i = 0; i < html.size();) {
    char c = html[i];
    if (c == '<') {
      if (html.compare(i, 4, "<!--") == 0) {
        size_t end = html.find("-->", i + 4);
        i = end == std::string_view::npos ? html.size() : end + 3;
        continue;
      }
      size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      bool closing = i + 1 < html.size() && html[i + 1] == '/';
      size_t name_at = i + (closing ? 2 : 1);
      // Elements whose content is not text: skip to their end tag.
      for (std::string_view skipped : {"head", "style", "script", "title"}) {
        if (!closing && StartsWithFolded(html, name_at, skipped) &&
            !std::isalnum(static_cast<unsigned char>(html[name_at + skipped.size()]))) {
          std::string close = "</" + std::string(skipped);
          size_t at = end;
          while (at < html.size() && !StartsWithFolded(html, at, close)) ++at;
          end = html.find('>', at);
          if (end == std::string_view::npos) end = html.size() - 1;
          break;
        }
      }
      if (StartsWithFolded(html, name_at, "br") ||
          StartsWithFolded(html, name_at, "hr") ||
          (closing && (StartsWithFolded(html, name_at, "p") ||
                       StartsWithFolded(html, name_at, "div") ||
                       StartsWithFolded(html, name_at, "tr") ||
                       StartsWithFolded(html, name_at, "li") ||
                       (StartsWithFolded(html, name_at, "h") &&
                        std::isdigit(static_cast<unsigned char>(html[name_at + 1]))))))
        line_break();
      i = end + 1;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      space = true;
      ++i;
      continue;
    }
    bool line_start = out.empty() || out.back() == '\n';
    if (space && !line_start) out += ' ';
    space = false;
    if (c == '&') {
      if (size_t length = Entity(html, i, out)) {
        i += length;
        continue;
      }
    }
    out += c;
    ++i;
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
    out.pop_back();
  return out;
}

std::string TextToHtml(std::string_view text) {
  std::string body;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      body += "<BR>\r\n";
      continue;
    }
    body += HtmlEscape(text.substr(i, 1));
  }
  return ConvertedHtml("text/plain", body);
}

namespace {

// The character formatting in force at a point of a rich-text document.
struct RtfFormat {
  bool bold = false, italic = false, underline = false;
  bool operator==(const RtfFormat&) const = default;
};

// Reads rich text with the add-in's own tokenizer (rtf/rtf2html_tokens.h):
// hands each UTF-16 unit of the document's text to `put_unit` in reading
// order, with the formatting in force for it. Line breaks come as CR LF,
// cells and tabs as a tab; tables of fonts, colours, styles and other
// destinations are skipped; \'hh and \u escapes are decoded, bytes as
// Windows-1252.
template <typename PutUnit>
class RtfReader {
 public:
  explicit RtfReader(const PutUnit& put_unit) : put_unit_(put_unit) {}

  void Read(std::string_view rtf) {
    rtf2html_detail::Tokenizer tokens(rtf);
    Token token;
    while (tokens.Next(token)) {
      bool at_group_start = std::exchange(group_start_, false);
      switch (token.kind) {
        case Token::Kind::kOpen:
          stack_.push_back({skipping_, format_});
          group_start_ = true;
          break;
        case Token::Kind::kClose:
          if (!stack_.empty()) {
            skipping_ = stack_.back().skipping;
            format_ = stack_.back().format;
            stack_.pop_back();
          }
          break;
        case Token::Kind::kText:
          for (char c : token.text) Put(Byte(c));
          break;
        case Token::Kind::kEscaped:
          Put(static_cast<char32_t>(token.text[0]));
          break;
        case Token::Kind::kHex:
          Put(Byte(static_cast<char>(rtf2html_detail::HexDigitValue(token.text[0]) * 16 +
                                     rtf2html_detail::HexDigitValue(token.text[1]))));
          break;
        case Token::Kind::kBreak:
          Put('\r'), Put('\n');
          break;
        case Token::Kind::kWord:
          Word(token, at_group_start);
          break;
      }
    }
  }

 private:
  using Token = rtf2html_detail::Token;
  struct Group {  // the state outside an open group
    bool skipping;
    RtfFormat format;
  };

  static char32_t Byte(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 ? static_cast<char32_t>(byte) : Cp1252ToCodePoint(byte);
  }

  void Put(char32_t c) {
    if (skipping_) return;
    if (to_drop_ > 0) {
      --to_drop_;
      return;
    }
    for (char16_t unit : Utf8ToUtf16(CodePointToUtf8(c))) put_unit_(unit, format_);
  }

  void Word(const Token& token, bool at_group_start) {
    static const std::string_view kSkipped[] = {
        "fonttbl", "colortbl",  "stylesheet",        "info",      "pict",      "header",
        "footer",  "listtable", "listoverridetable", "rsidtbl",   "generator", "fldinst",
        "object",  "themedata", "latentstyles",      "datastore", "xmlnstbl"};
    std::string_view word = token.text;
    if (at_group_start &&
        (word == "*" ||
         std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped)))
      skipping_ = true;
    bool on = !token.has_param || token.param != 0;  // \b and \b1 switch on, \b0 off
    if (word == "par" || word == "line" || word == "row" || word == "page" ||
        word == "sect") {
      Put('\r'), Put('\n');
    } else if (word == "tab" || word == "cell") {
      Put('\t');
    } else if (word == "~") {
      Put(0xA0);
    } else if (word == "u") {
      int32_t value = token.param;
      if (!skipping_)
        put_unit_(static_cast<char16_t>(value < 0 ? value + 65536 : value), format_);
      to_drop_ = 1;
    } else if (word == "emdash" || word == "endash" || word == "bullet") {
      Put(word == "emdash" ? 0x2014 : word == "endash" ? 0x2013 : 0x2022);
    } else if (word == "lquote" || word == "rquote") {
      Put(word == "lquote" ? 0x2018 : 0x2019);
    } else if (word == "ldblquote" || word == "rdblquote") {
      Put(word == "ldblquote" ? 0x201C : 0x201D);
    } else if (word == "b") {
      format_.bold = on;
    } else if (word == "i") {
      format_.italic = on;
    } else if (word == "ul") {
      format_.underline = on;
    } else if (word == "ulnone") {
      format_.underline = false;
    } else if (word == "plain") {
      format_ = {};
    }
  }

  const PutUnit& put_unit_;
  std::vector<Group> stack_;
  bool skipping_ = false;
  RtfFormat format_;
  bool group_start_ = false;  // just after '{'
  int to_drop_ = 0;           // characters that stand in for a \u character
};

template <typename PutUnit>
void ReadRtf(std::string_view rtf, const PutUnit& put_unit) {
  RtfReader<PutUnit>(put_unit).Read(rtf);
}

}  // namespace

std::string RtfToText(std::string_view rtf) {
  std::u16string out;
  ReadRtf(rtf, [&](char16_t unit, const RtfFormat&) { out += unit; });
  return Utf16ToUtf8(out);
}

std::string RtfToHtml(std::string_view rtf) {
  std::string body;
  std::u16string run;  // text not yet escaped, all in the format `shown`
  RtfFormat shown;
  auto flush = [&] {
    body += HtmlEscape(Utf16ToUtf8(run));
    run.clear();
  };
  auto tags = [&](const RtfFormat& f, bool open) {
    if (open) {
      if (f.bold) body += "<B>";
      if (f.italic) body += "<I>";
      if (f.underline) body += "<U>";
    } else {
      if (f.underline) body += "</U>";
      if (f.italic) body += "</I>";
      if (f.bold) body += "</B>";
    }
  };
  size_t breaks = 0;  // line breaks held back: the document's last ones are dropped
  ReadRtf(rtf, [&](char16_t unit, const RtfFormat& format) {
    if (unit == '\r') return;
    if (unit == '\n') {
      ++breaks;
      return;
    }
    if (breaks || format != shown) {
      flush();
      tags(shown, false);
      for (; breaks; --breaks) body += "<BR>\r\n";
      tags(format, true);
      shown = format;
    }
    run += unit;
  });
  flush();
  tags(shown, false);
  return ConvertedHtml("text/rtf", body);
}

std::string TextToRtf(std::string_view text) {
  std::string body;
  for (char16_t unit : Utf8ToUtf16(text)) {
    if (unit == '\r') continue;
    if (unit == '\n')
      body += "\\par\r\n";
    else if (unit == '\\' || unit == '{' || unit == '}')
      body += '\\', body += char(unit);
    else if (unit < 0x80)
      body += static_cast<char>(unit);
    else
      body += "\\u" + std::to_string(static_cast<int16_t>(unit)) + "?";
  }
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{"
         "\\f0\\fswiss\\fcharset0 "
         "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 " +
         body + "\\par\r\n}";
}

std::string RecipientText(const ItemContent& item, int type) {
  std::string text;
  for (const auto& r : item.recipients) {
    if (r->type != type) continue;
    if (!text.empty()) text += "; ";
    text += r->name;
  }
  return text;
}

void WriteRecipientText(ItemContent& item, int type, std::string_view text) {
  auto& list = item.recipients;
  std::erase_if(list, [&](const auto& r) { return r->type == type; });
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    std::string name = Trim(text.substr(start, end - start));
    if (!name.empty())
      list.push_back(
          std::make_shared<RecipientNode>(RecipientNode{name, "", type, false}));
    start = end + 1;
  }
}

namespace {

const ItemNode* FindContact(const FolderNode& folder, const std::string& folded) {
  if (folder.kind == ol::kFolderContacts) {
    for (const auto& item : folder.items) {
      if (item->cls != ol::kContact) continue;
      std::string full = TextMember(*item, "FullName");
      if (full.empty()) full = item->subject;
      if (FoldCase(full) == folded ||
          FoldCase(TextMember(*item, "Email1Address")) == folded)
        return item.get();
    }
  }
  for (const auto& child : folder.children)
    if (const ItemNode* found = FindContact(*child, folded)) return found;
  return nullptr;
}

bool LooksLikeAddress(std::string_view name) {
  size_t at = name.find('@');
  return at != std::string_view::npos && at > 0 &&
         name.find(' ') == std::string_view::npos &&
         name.find('.', at) != std::string_view::npos && name.back() != '.';
}

}  // namespace

bool ResolveRecipient(const MailStore& store, RecipientNode& recipient) {
  std::string folded = FoldCase(Trim(recipient.name));
  if (folded.empty()) return false;
  for (const auto& s : store.stores()) {
    const ItemNode* contact = FindContact(*s->root, folded);
    if (!contact) continue;
    std::string address = TextMember(*contact, "Email1Address");
    if (address.empty()) continue;
    std::string full = TextMember(*contact, "FullName");
    recipient.name = full.empty() ? contact->subject : full;
    recipient.address = address;
    recipient.resolved = true;
    return true;
  }
  if (!LooksLikeAddress(Trim(recipient.name))) return false;
  recipient.name = Trim(recipient.name);
  recipient.address = recipient.name;
  recipient.resolved = true;
  return true;
}

std::string MailboxOwner(const MailStore& store) {
  constexpr std::string_view kPrefix = "Mailbox - ";
  if (store.stores().empty()) return "";
  const std::string& name = store.stores().front()->name;
  return name.rfind(kPrefix, 0) == 0 ? name.substr(kPrefix.size()) : "";
}

}  // namespace pinlet::sim
