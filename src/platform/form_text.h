// A form as its description prints it, the same on every machine that shows
// it: the form's caption, handle, state, place and colour, then each control
// that shows, indented under its container, with its kind, place, colour,
// tip, enabled state, focus and its kind's own state; the hidden ones are
// counted. The simulated machine and the real windows fill a FormText from
// what they hold, and the kinds word their state with the functions below.
#ifndef PINLET_PLATFORM_FORM_TEXT_H_
#define PINLET_PLATFORM_FORM_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/ui.h"
#include "platform/windows.h"

namespace pinlet {

struct FormText {
  struct Control {
    int depth = 0;  // 0 on the form, 1 in a container on it, ...
    std::string name;
    std::string type_name;
    std::optional<Rect> rect;            // nullopt: a kind without geometry
    std::optional<uint32_t> back_colour;  // nullopt: a kind without one
    std::string tool_tip;
    bool enabled = true;
    bool focus = false;
    std::string state;  // the kind's own, "" for none
  };
  std::string design_name;
  std::string caption;
  WindowHandle handle = 0;
  bool visible = false;
  bool active = false;
  bool top_most = false;
  Rect rect;
  uint32_t back_colour = 0;
  std::vector<Control> shown;  // in creation order
  int hidden = 0;
};

// The description, lines ending in "\n".
std::string DescribeForm(const FormText& form);

// The kinds' states.
std::string CheckBoxState(std::string_view caption, int value);  // 0, 1, 2
std::string ImageState(std::string_view picture_key);
std::string CalendarState(const std::optional<Date>& value);
// A list's entries, the selected one (-1 for none) marked; only the count
// and the selected one when there are more than 12.
std::string ListState(const std::vector<std::string>& entries, int32_t selected);
std::string ComboState(std::string_view text, int32_t list_index, size_t count,
                       std::string_view picture_key);
// Tabs are counted from 1 (`selected`), as the tab strip counts them.
std::string TabsState(const std::vector<std::string>& tabs, int32_t selected);
// The selection in UTF-16 units.
std::string TextBoxState(std::string_view text, size_t sel_start, size_t sel_length,
                         const ui::Font& font, uint32_t fore_colour, bool locked,
                         bool multi_line);
// `next_tick_ms`: nullopt when the timer is stopped.
std::string TimerState(int32_t interval, std::optional<int64_t> next_tick_ms);
std::string MenuState(std::string_view caption, bool checked);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_FORM_TEXT_H_
