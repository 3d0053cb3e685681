// The add-in's forms as the commands reach them: found by name, acted on as
// the user acts, and described as text.
//
// Linked in, the forms are the simulated machine's (SimFormSurface). A COM
// add-in shows real windows, and its loading gives a surface of its own
// that finds and drives them through the system. Either way a command's
// output is the same; what one surface cannot do yet it answers kSkipped
// with the reason, and the script is skipped from that line on.
#ifndef PINLET_SIM_APP_FORM_SURFACE_H_
#define PINLET_SIM_APP_FORM_SURFACE_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/machine/sim_ui.h"
#include "platform/windows.h"

namespace pinlet::app {

class Driver;

// A loaded form as a surface found it.
struct FormRef {
  WindowHandle handle = 0;
  std::string design_name;
  std::string caption;
  bool visible = false;
};

// A top-level window as the desktop shows it.
struct DesktopWindow {
  WindowHandle handle = 0;
  std::string title;
  std::string design_name;  // a form's; "" for the host's windows
  bool visible = false;
  bool top_most = false;
  bool active = false;
  Rect rect;  // in twips
};

class FormSurface {
 public:
  virtual ~FormSurface() = default;

  // A loaded form by its handle ("0x10040"), design name or caption
  // (ignoring case); among several, the front-most. nullopt when none.
  virtual std::optional<FormRef> Find(std::string_view name) = 0;

  // The user does `action` on the form. kDone; kRefused with `error` when
  // the screen refuses it (a control hidden or disabled, a form not shown);
  // kBadCommand with `error` when no screen could take it (no such control,
  // a value the control does not take); kSkipped with `error` when this
  // surface cannot do it yet.
  virtual int Perform(const FormRef& form, const sim::FormAction& action,
                      std::string& error) = 0;

  // The form as text (`show form`), or the note window as text (`show
  // note`): kDone with `text`, or kSkipped with the reason in `text`.
  virtual int Describe(const FormRef& form, std::string& text) = 0;
  virtual int DescribeNote(const FormRef& form, std::string& text) = 0;

  // What the note window `form` is: ", a new note" or ", the item's note";
  // "" when the window cannot be looked into.
  virtual std::string NoteKind(const FormRef& form) = 0;
  // Whether the note window shows its toolbars (its edit state).
  virtual bool NoteInEditState(const FormRef& form) = 0;
  // The user activated `window`, a window of the host that is none of the
  // forms, which the simulated machine's window manager made active: no form
  // stays the active window.
  virtual void HostWindowActivated(WindowHandle window) = 0;

  // Every top-level window, the host's and the forms', front to back: the
  // top-most band first.
  virtual std::vector<DesktopWindow> Desktop() = 0;

  // The EntryID of the note the window shows; "" when it shows no saved
  // note.
  virtual std::string NoteEntryId(const FormRef& form) = 0;
  // The note window's key: the EntryID of the item its note belongs to; ""
  // when the window cannot be looked into.
  virtual std::string NoteKey(const FormRef&) { return ""; }
};

// The surface of the simulated machine's forms, of `driver`'s world.
std::unique_ptr<FormSurface> MakeSimFormSurface(Driver& driver);

}  // namespace pinlet::app

#endif  // PINLET_SIM_APP_FORM_SURFACE_H_
