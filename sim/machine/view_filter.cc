#include "sim/machine/view_filter.h"

#include <optional>
#include <string_view>
#include <utility>

namespace pinlet::sim {
namespace {

constexpr std::string_view kUserPropertyPrefix =
    "http://schemas.microsoft.com/mapi/string/{00020329-0000-0000-C000-000000000046}/";
constexpr std::string_view kSubject = "urn:schemas:httpmail:subject";

struct Condition {
  std::string property;  // the user property's name, or "" for the subject
  std::string value;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '('))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == ')'))
    text.remove_suffix(1);
  return text;
}

// One condition: &quot;NAME&quot; = 'VALUE'.
std::optional<Condition> ParseCondition(std::string_view text) {
  constexpr std::string_view kQuot = "&quot;";
  text = Trim(text);
  if (text.substr(0, kQuot.size()) != kQuot) return std::nullopt;
  text.remove_prefix(kQuot.size());
  size_t close = text.find(kQuot);
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view name = text.substr(0, close);
  std::string_view rest = Trim(text.substr(close + kQuot.size()));
  if (rest.size() < 4 || rest.substr(0, 3) != "= '" || rest.back() != '\'')
    return std::nullopt;
  std::string value(rest.substr(3, rest.size() - 4));
  if (name == kSubject) return Condition{"", value};
  if (name.substr(0, kUserPropertyPrefix.size()) == kUserPropertyPrefix)
    return Condition{std::string(name.substr(kUserPropertyPrefix.size())), value};
  return std::nullopt;
}

bool Matches(ItemNode& item, const Condition& condition) {
  if (condition.property.empty()) return item.subject == condition.value;
  PropNode* prop = item.FindProp(condition.property);
  return prop && ToText(prop->value) == condition.value;
}

}  // namespace

ViewContents ItemsInView(FolderNode& folder, const std::string& view_xml, size_t limit) {
  ViewContents contents;
  std::vector<Condition> conditions;
  size_t open = view_xml.find("<filter>");
  size_t close = open == std::string::npos ? open : view_xml.find("</filter>", open);
  if (close != std::string::npos) {
    std::string_view filter =
        std::string_view(view_xml).substr(open + 8, close - open - 8);
    bool understood = true;
    while (understood) {
      size_t and_at = filter.find(" AND ");
      std::optional<Condition> condition = ParseCondition(filter.substr(0, and_at));
      if (!condition)
        understood = false;
      else
        conditions.push_back(std::move(*condition));
      if (and_at == std::string_view::npos) break;
      filter.remove_prefix(and_at + 5);
    }
    if (!understood) {
      conditions.clear();
      contents.not_understood =
          std::string(std::string_view(view_xml).substr(open + 8, close - open - 8));
    }
  }
  contents.filtered = !conditions.empty();
  for (const Condition& c : conditions) {
    if (!contents.conditions.empty()) contents.conditions += " and ";
    contents.conditions +=
        (c.property.empty() ? std::string("Subject") : c.property) + " = " + c.value;
  }
  for (auto& item : folder.items) {
    if (contents.items.size() >= limit) break;
    bool shown = true;
    for (const Condition& c : conditions) shown = shown && Matches(*item, c);
    if (shown) contents.items.push_back(item.get());
  }
  return contents;
}

ViewContents ItemsInCurrentView(FolderNode& folder, size_t limit) {
  ViewNode* view = folder.FindView(folder.current_view);
  return ItemsInView(folder, view ? view->xml : std::string(), limit);
}

}  // namespace pinlet::sim
