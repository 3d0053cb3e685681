#include "platform/form_text.h"

#include "platform/display_text.h"

namespace pinlet {

std::string DescribeForm(const FormText& form) {
  std::string out = form.design_name + " " + QuotedText(form.caption) + " " +
                    HandleText(form.handle) + ": " +
                    (form.visible ? "visible" : "hidden");
  if (form.active) out += ", active";
  if (form.top_most) out += ", top-most";
  out += "\n  " + RectText(form.rect) + ", back " + ColourText(form.back_colour) + "\n";
  for (const FormText::Control& control : form.shown) {
    out += std::string(2 + 2 * control.depth, ' ') + control.name + " " + control.type_name;
    if (const auto& r = control.rect)
      out += " at " + std::to_string(r->left) + "," + std::to_string(r->top) + " " +
             std::to_string(r->width) + "x" + std::to_string(r->height);
    if (control.back_colour) out += ", back " + ColourText(*control.back_colour);
    if (!control.tool_tip.empty()) out += ", tip " + QuotedText(control.tool_tip);
    if (!control.enabled) out += ", disabled";
    if (control.focus) out += ", focus";
    out += (control.state.empty() ? "" : ": " + control.state) + "\n";
  }
  if (form.hidden) out += "  (" + std::to_string(form.hidden) + " hidden controls)\n";
  return out;
}

std::string CheckBoxState(std::string_view caption, int value) {
  static const char* const kStates[] = {"clear", "checked", "grey"};
  return QuotedText(caption) + " " + kStates[value >= 0 && value <= 2 ? value : 0];
}

std::string ImageState(std::string_view picture_key) {
  return picture_key.empty() ? "no picture" : "picture " + std::string(picture_key);
}

std::string CalendarState(const std::optional<Date>& value) {
  return value ? value->ToGeneralString() : "no date";
}

std::string ListState(const std::vector<std::string>& entries, int32_t selected) {
  std::string out = std::to_string(entries.size()) + " entries";
  bool in_list = selected >= 0 && static_cast<size_t>(selected) < entries.size();
  if (entries.size() > 12) {
    if (in_list) out += ", " + QuotedText(entries[selected]) + " selected";
    return out;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    out += (i ? ", " : ": ") + QuotedText(entries[i]);
    if (static_cast<int32_t>(i) == selected) out += " [selected]";
  }
  return out;
}

std::string ComboState(std::string_view text, int32_t list_index, size_t count,
                       std::string_view picture_key) {
  std::string state = QuotedText(text);
  if (list_index < 0) return state + " (no entry of " + std::to_string(count) + ")";
  state += " (entry " + std::to_string(list_index) + " of " + std::to_string(count) + ")";
  if (!picture_key.empty()) state += ", picture " + std::string(picture_key);
  return state;
}

std::string TabsState(const std::vector<std::string>& tabs, int32_t selected) {
  std::string out;
  for (size_t i = 0; i < tabs.size(); ++i) {
    out += (i ? ", " : "") + QuotedText(tabs[i]);
    if (static_cast<int32_t>(i) + 1 == selected) out += " [selected]";
  }
  return out;
}

std::string TextBoxState(std::string_view text, size_t sel_start, size_t sel_length,
                         const ui::Font& font, uint32_t fore_colour, bool locked,
                         bool multi_line) {
  std::string state = QuotedText(text) + " sel " + std::to_string(sel_start) + "+" +
                      std::to_string(sel_length) + ", font " + FontText(font) +
                      ", fore " + ColourText(fore_colour);
  if (locked) state += ", locked";
  if (!multi_line) state += ", single line";
  return state;
}

std::string TimerState(int32_t interval, std::optional<int64_t> next_tick_ms) {
  std::string text = "interval " + std::to_string(interval) + " ms";
  if (!next_tick_ms) return text + ", stopped";
  return text + ", next tick in " + std::to_string(*next_tick_ms) + " ms";
}

std::string MenuState(std::string_view caption, bool checked) {
  return QuotedText(caption) + (checked ? " checked" : "");
}

}  // namespace pinlet
