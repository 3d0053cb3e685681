#include "sim/machine/jet_filter.h"

#include <cctype>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {
namespace {

void SkipSpace(std::string_view text, size_t& at) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
}

}  // namespace

std::optional<JetEquality> ParseJetEquality(std::string_view filter) {
  size_t at = 0;
  SkipSpace(filter, at);
  if (at >= filter.size() || filter[at] != '[') return std::nullopt;
  size_t close = filter.find(']', at);
  if (close == std::string_view::npos || close == at + 1) return std::nullopt;
  JetEquality result{std::string(filter.substr(at + 1, close - at - 1)), ""};
  at = close + 1;
  SkipSpace(filter, at);
  if (at >= filter.size() || filter[at] != '=') return std::nullopt;
  ++at;
  SkipSpace(filter, at);
  if (at >= filter.size() || (filter[at] != '\'' && filter[at] != '"'))
    return std::nullopt;
  const char quote = filter[at++];
  for (;; ++at) {
    if (at >= filter.size()) return std::nullopt;
    if (filter[at] != quote) {
      result.value += filter[at];
      continue;
    }
    if (at + 1 < filter.size() && filter[at + 1] == quote) {
      result.value += quote;
      ++at;
      continue;
    }
    break;
  }
  ++at;
  SkipSpace(filter, at);
  if (at != filter.size()) return std::nullopt;
  return result;
}

bool RefusedByFind(std::string_view field) {
  static const char* const kRefused[] = {"body",
                                         "categories",
                                         "children",
                                         "class",
                                         "companies",
                                         "contactnames",
                                         "contacts",
                                         "conversationindex",
                                         "dlname",
                                         "email1entryid",
                                         "email2entryid",
                                         "email3entryid",
                                         "entryid",
                                         "htmlbody",
                                         "isonlinemeeting",
                                         "membercount",
                                         "recurrencestate",
                                         "replyrecipients",
                                         "receivedbyentryid",
                                         "responsestate",
                                         "saved",
                                         "sent",
                                         "submitted",
                                         "votingoptions",
                                         "bodyformat",
                                         "internetcodepage",
                                         "permission"};
  std::string folded = FoldCase(field);
  for (const char* name : kRefused)
    if (folded == name) return true;
  return false;
}

}  // namespace pinlet::sim
