// A small checker for the HTML that RTF2HTML writes: every element is closed in the
// order it was opened, <li> stands directly in <ul>, and nothing but <li> stands
// directly in <ul>.

#ifndef PINLET_TESTS_INSPECTOR_HTML_BALANCE_H_
#define PINLET_TESTS_INSPECTOR_HTML_BALANCE_H_

#include <string>
#include <string_view>
#include <vector>

namespace pinlet::testing {

// Returns an empty string when `html` is balanced, otherwise what is wrong.
inline std::string HtmlBalanceError(std::string_view html) {
  std::vector<std::string> open;
  std::size_t i = 0;
  while (i < html.size()) {
    if (html[i] != '<') {
      if (!open.empty() && open.back() == "ul") return "text directly inside <ul>";
      ++i;
      continue;
    }
    const std::size_t close = html.find('>', i);
    if (close == std::string_view::npos) return "unterminated tag";
    std::string_view tag = html.substr(i + 1, close - i - 1);
    i = close + 1;
    const bool closing = !tag.empty() && tag.front() == '/';
    if (closing) tag.remove_prefix(1);
    const std::string name(tag.substr(0, tag.find(' ')));
    if (name == "br") continue;
    if (!closing) {
      if (name == "li" && (open.empty() || open.back() != "ul"))
        return "<li> outside <ul>";
      if (name != "li" && !open.empty() && open.back() == "ul") {
        return "<" + name + "> directly inside <ul>";
      }
      open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      return "</" + name + "> closes " +
             (open.empty() ? "nothing" : "<" + open.back() + ">");
    } else {
      open.pop_back();
    }
  }
  if (!open.empty()) return "<" + open.back() + "> left open";
  return {};
}

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_INSPECTOR_HTML_BALANCE_H_
