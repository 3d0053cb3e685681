// Simulated command bars as text, for the pinlet command and tests.
#include <algorithm>
#include <string>

#include "sim/machine/sim_command_bars.h"

namespace pinlet::sim {
namespace {

const char* StyleName(int style) {
  switch (style) {
    case office::kButtonIcon:
      return "icon";
    case office::kButtonCaption:
      return "caption";
    case office::kButtonIconAndCaption:
      return "icon and caption";
  }
  return "automatic";
}

const char* BarKind(int type) {
  switch (type) {
    case office::kBarTypeMenuBar:
      return "menu bar";
    case office::kBarTypePopup:
      return "shortcut menu";
  }
  return "toolbar";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Size(const Picture& picture) {
  return std::to_string(picture.width) + "x" + std::to_string(picture.height);
}

std::string Face(const ControlNode& button) {
  if (button.face_source.empty())
    return button.face_id ? "face " + std::to_string(button.face_id) : "no face";
  std::string text = "face " + button.face_source + " " + Size(button.face);
  if (button.mask.empty()) return text + ", opaque";
  auto transparent =
      std::count(button.mask.pixels.begin(), button.mask.pixels.end(), kWhite);
  return text + ", mask " + Size(button.mask) + " (" + std::to_string(transparent) +
         " transparent)";
}

void ShowControls(const BarNode& bar, const std::string& indent, std::string& out);

// One control's line, numbered `index`, and a popup's items below it.
void ShowControl(const ControlNode& c, int index, const std::string& indent,
                 std::string& out) {
  bool button = c.type == office::kControlButton;
  out += indent + std::to_string(index) + ". " + (button ? "button " : "popup ") +
         Quoted(c.caption);
  out += c.built_in ? ", id " + std::to_string(c.id) : ", custom";
  if (!c.tooltip.empty()) out += ", tip " + Quoted(c.tooltip);
  if (!c.tag.empty()) out += ", tag " + Quoted(c.tag);
  if (button) {
    out += ", " + Face(c) + ", style " + StyleName(c.style);
    if (c.state == office::kButtonDown) out += ", down";
  }
  if (c.begin_group) out += ", begins group";
  if (c.temporary) out += ", temporary";
  if (!c.visible) out += ", hidden";
  if (!c.enabled) out += ", disabled";
  out += "\n";
  if (c.popup_bar) ShowControls(*c.popup_bar, indent + "   ", out);
}

void ShowControls(const BarNode& bar, const std::string& indent, std::string& out) {
  int index = 0;
  for (const auto& control : bar.controls) ShowControl(*control, ++index, indent, out);
}

}  // namespace

std::string SimCommandBars::Show(const BarNode& bar) const {
  std::string out =
      "bar " + Quoted(bar.name) + ": " + BarKind(bar.type) +
      (bar.built_in ? ", built-in" : ", added") + (bar.temporary ? ", temporary" : "") +
      (bar.visible ? ", visible" : ", hidden") + (bar.enabled ? "" : ", disabled") +
      ", position " + std::to_string(bar.position) + ", row " +
      std::to_string(bar.row_index) + ", left " + std::to_string(bar.left) + ", top " +
      std::to_string(bar.top);
  if (bar.protection) out += ", protection " + std::to_string(bar.protection);
  out += "\n";
  ShowControls(bar, "  ", out);
  return out;
}

std::string SimCommandBars::Show(const ControlNode& control) const {
  std::string out;
  int index = 0;
  if (auto bar = control.bar.lock()) {
    const auto& controls = bar->controls;
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i].get() == &control) index = static_cast<int>(i) + 1;
  }
  ShowControl(control, index, "  ", out);
  return out;
}

std::string SimCommandBars::Show() const {
  std::string out;
  for (const auto& bar : bars_) out += Show(*bar);
  return out;
}

}  // namespace pinlet::sim
