// What a simulated form and its controls show, as plain values: the
// machine's own reading of its windows for the pictures of the screen.
//
// A look is taken at the node level (SimForm::Look), so taking one is
// neither counted nor failed as a call of the add-in's, and it stays valid
// after the form has been unloaded: the record of a modal form keeps the
// looks it had while it was open (sim_ui.h).
#ifndef PINLET_SIM_MACHINE_FORM_LOOK_H_
#define PINLET_SIM_MACHINE_FORM_LOOK_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/date.h"
#include "platform/picture.h"
#include "platform/ui.h"
#include "platform/windows.h"

namespace pinlet::sim {

// The frame of a sizable form, in pixels: a border on every side and a
// title bar under the top border. The inside (ScaleWidth, ScaleHeight) is
// the outer size less these.
constexpr int32_t kFormBorderPixels = 4;
constexpr int32_t kFormTitlePixels = 22;

struct ControlLook {
  std::string name;
  std::string type_name;  // "TextBox", "Image", ...
  // The container's place in FormLook::controls; -1 for the form itself.
  int container = -1;
  // Relative to the container's inside (the form's inside for -1), in twips.
  Rect rect;
  bool has_geometry = true;  // false for timers and menus
  bool visible = true;       // its own Visible
  bool shown = true;         // visible, and so are its containers
  bool enabled = true;       // its own Enabled
  bool usable = true;        // shown and enabled, with its containers
  bool focused = false;
  bool has_back_colour = true;
  uint32_t back_colour = 0xC8D0D4;
  uint32_t fore_colour = 0x000000;
  std::optional<ui::Font> font;  // for the kinds that have one
  std::string caption;           // labels, frames, buttons, check boxes, menus
  std::string text;              // text boxes and combo boxes
  int value = 0;                 // a check box's 0, 1 or 2; a menu's checked 1
  bool multi_line = false;
  bool locked = false;
  // A text box's selection, in UTF-16 units as SelStart and SelLength count.
  int32_t sel_start = 0;
  int32_t sel_length = 0;
  // Lists' entries (a tab strip's tabs), their picture keys (a combo box's),
  // and the entry selected (-1 none; for tabs, the selected tab less one).
  std::vector<std::string> entries;
  std::vector<std::string> entry_pictures;
  int32_t list_index = -1;
  std::string picture_key;  // an image's
  Picture picture;
  std::optional<Date> date;  // a calendar's
};

struct FormLook {
  std::string design_name;
  std::string caption;
  WindowHandle handle = 0;
  Rect rect;  // the outer rectangle on the screen, in twips
  bool visible = false;
  bool active = false;
  bool top_most = false;
  uint32_t back_colour = 0xC8D0D4;
  // In creation order; a container comes before what it holds.
  std::vector<ControlLook> controls;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_FORM_LOOK_H_
