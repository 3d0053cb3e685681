// Pictures of the simulated screen: the desktop with its windows in
// z-order, or one window, drawn from the simulated host's own state.
//
// The renderer reads the machine's side of the simulation only (the window
// manager, the forms' looks, the Outlook windows with their command bars,
// folders and views, the records of message boxes and modal forms), so
// drawing is never a call of the add-in's: it is neither counted nor
// failed, and it changes nothing. It knows nothing of the add-in; what it
// needs from it comes through Options.
//
// What is drawn, in the host's classic look:
// - forms at their place and size in twips (15 twips a pixel), with their
//   frame and title bar and every shown control: text boxes with their text
//   in its font and colours, labels, buttons, check boxes, lists, combo
//   boxes, tab strips, frames, picture boxes with what they hold, calendars,
//   and images with their pictures (magenta, the button pictures' key
//   colour, is transparent). Graphical controls (labels, images) lie under
//   the windowed ones of the same container, as in the host;
// - Outlook's main windows: the menu bar and the docked toolbars with each
//   control's face (drawn with its mask, so the bar shows where the mask
//   is white), caption, pressed state and disabled look; the folder tree;
//   the items of the current view with those that carry a note marked; the
//   menus the user has open;
// - item windows with their bars, the item's header and its body;
// - Outlook's Reminders window with the reminders that have come;
// - message boxes with their icon, text and buttons.
#ifndef PINLET_SIM_RENDER_RENDERER_H_
#define PINLET_SIM_RENDER_RENDERER_H_

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>

#include "platform/picture.h"
#include "sim/machine/form_look.h"
#include "sim/machine/sim_message_boxes.h"
#include "sim/render/image.h"

namespace pinlet::sim {
class World;
struct ItemNode;
}  // namespace pinlet::sim

namespace pinlet::render {

struct Options {
  // The picture of a resource key, for an image that names its picture only
  // by key and for the rows of an image combo; empty: no such pictures.
  std::function<Picture(std::string_view key)> pictures;
  // Whether an item carries a note, for the mark in the item list; empty:
  // nothing is marked.
  std::function<bool(const sim::ItemNode& item)> has_note;
};

// A dialog as it was shown: the look of a modal form, or a message box.
using Dialog = std::variant<sim::FormLook, sim::SimMessageBoxes::Record>;

// The dialog that appeared last: the last look of the modal form shown
// last, or the last message box, whichever came later; nullopt when none
// was shown.
std::optional<Dialog> LastDialog(const sim::World& world);

class Fonts;

class Renderer {
 public:
  explicit Renderer(Options options = {});
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // The whole screen: the desktop, each visible window from the back to the
  // front, the task bar, and `on_top` (when given) above everything.
  Image Screen(const sim::World& world, const Dialog* on_top = nullptr) const;
  // One top-level window, as large as its rectangle, whether it is visible
  // or not; nullopt for a handle the window manager does not know.
  std::optional<Image> Window(const sim::World& world, WindowHandle handle) const;
  // A form from its look (a form that is open, or one a record kept).
  Image Form(const sim::FormLook& form) const;
  // A dialog alone: a form's look, or a message box as the screen shows it.
  Image DialogImage(const Dialog& dialog) const;
  // Whether the fixed fonts were found, so that pictures are the same on
  // every machine.
  bool fixed_fonts() const;

 private:
  Options options_;
  std::unique_ptr<Fonts> fonts_;
};

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_RENDERER_H_
