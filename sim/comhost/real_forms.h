// The test host's surface of the COM add-in's forms: the real windows the
// DLL shows, found and driven through the system as a user's mouse and
// keyboard would drive them, and read through what the add-in says of its
// windows when asked (comserver/window_descriptions.h).
//
// A form is a top-level window of class "PinletForm" of this process; a
// control, a child window whose design-name property matches (the form's
// own design name stands for its background). Clicks are the mouse's button
// messages at the control's middle (a button's BM_CLICK); typing is each
// character's WM_KEYDOWN, WM_CHAR and WM_KEYUP, as KeystrokesOf splits the
// text, with the shift keys held in the thread's keyboard state; the close
// box is WM_CLOSE. Everything is sent, so an action is done, handlers and
// all, when Perform returns.
//
// The host's windows, which the simulated machine keeps, have stand-ins
// among the real windows: hidden windows of this process, one for each,
// moved, shown, hidden and activated as the simulated machine's window
// manager changes its own, so that the real z-order holds the forms and
// the host's windows in one order, as linked in. The desktop is that
// order read back through the system.
//
// A popup menu that a form shows (the system's, tracked in its own message
// loop) takes the next queued menu answer as SimUi does: the entry whose
// caption the answer gives is chosen with the keys a user presses (down
// to it, then Enter), "none" dismisses it. A real menu shows its entries'
// captions only: an answer by name, a menu with no answer, or an entry
// that is missing or disabled is trouble, and the menu is dismissed; the
// menu is recorded with what could be seen of it. It is never waited on.
//
// A modal form that shows while a command runs is answered as the
// simulated machine answers its own (SimUi::AnswerModal): the first queued
// answer for it is performed through this surface and recorded in the
// world's modal records. What this surface cannot do yet makes TakeTrouble
// tell it, so that the command is reported as skipped; a modal form is
// never waited on.
#ifndef PINLET_SIM_COMHOST_REAL_FORMS_H_
#define PINLET_SIM_COMHOST_REAL_FORMS_H_

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "sim/app/form_surface.h"
#include "sim/machine/sim_windows.h"

namespace pinlet::sim {
class World;
}

namespace pinlet::comhost {

// What the add-in says of one of its windows: the text of that aspect
// (comserver/window_descriptions.h), or nullopt when nothing answers.
using WindowDescriber =
    std::function<std::optional<std::string>(HWND window, std::string_view aspect)>;

class RealForms : public app::FormSurface {
 public:
  // Watches the calling thread for modal forms; `world` must outlive this.
  // The forms are read through `describe`; without it nothing is described.
  explicit RealForms(sim::World& world, WindowDescriber describe = nullptr);
  ~RealForms() override;
  RealForms(const RealForms&) = delete;
  RealForms& operator=(const RealForms&) = delete;

  std::optional<app::FormRef> Find(std::string_view name) override;
  int Perform(const app::FormRef& form, const sim::FormAction& action,
              std::string& error) override;
  int Describe(const app::FormRef& form, std::string& text) override;
  int DescribeNote(const app::FormRef& form, std::string& text) override;
  std::string NoteKind(const app::FormRef& form) override;
  bool NoteInEditState(const app::FormRef& form) override;
  std::string NoteEntryId(const app::FormRef& form) override;
  std::vector<app::DesktopWindow> Desktop() override;
  // The host window's stand-in takes its title and place and becomes the
  // active window, as the host's window would on a machine where both are
  // real.
  void HostWindowActivated(WindowHandle window) override;

  // What could not be done as linked in since the last call ("" when
  // everything could); cleared as it is taken.
  std::string TakeTrouble();

 private:
  class ModalForm;
  // The thread's timer: answers every modal form that is up. It fires in
  // any message loop of the thread, the modal form's own included.
  static void CALLBACK SweepModalForms(HWND, UINT, UINT_PTR, DWORD);
  // A popup menu being answered: the entry to choose (-1: dismiss it) and
  // the keys pressed so far.
  struct MenuAnswer {
    HWND window = nullptr;
    int target = -1;
    int steps = 0;
    bool entered = false;
  };
  // Takes the answer for a real popup menu that is up and records it.
  MenuAnswer StartMenu(HWND window);
  // One step of the user's keys towards the chosen entry of the menu up.
  void AnswerMenu(HWND window);
  // Answers the thread's popup menu that is up, a step at a time.
  void SweepPopupMenus();
  // Gives every window of the simulated machine its stand-in, in its order,
  // and watches its window manager from now on.
  void MirrorHostWindows();
  // The stand-in of the host's window `handle`, made when it has none yet;
  // nullptr when none can be made.
  HWND StandIn(WindowHandle handle);
  // Does to the stand-ins what the simulated machine did to its windows.
  void Mirror(const sim::SimWindowManager::Change& change);
  // Keeps the first thing that could not be done as linked in.
  void Trouble(const std::string& what);
  // `set` or `choose` on a check box, list, combo box or tab control, as
  // the user clicks or picks the entry: kDone, or kBadCommand / kSkipped
  // with `why`.
  int Choose(HWND control, const sim::FormAction& action, std::string& why);
  // The form's `aspect` in `text`: kDone, or kBadCommand with why in `text`.
  int Read(const app::FormRef& form, std::string_view aspect, std::string& text);
  // Where the form is and how large, in its own twips.
  Rect PlaceOf(HWND form);
  // What the add-in says of the form's `aspect`; nullopt when it does not
  // answer.
  std::optional<std::string> Ask(HWND form, std::string_view aspect);

  sim::World& world_;
  WindowDescriber describe_;
  UINT_PTR timer_ = 0;
  std::set<HWND> answering_;                // modal forms being answered
  std::map<WindowHandle, HWND> stand_ins_;  // of the host's windows
  std::optional<MenuAnswer> menu_;          // the popup menu up
  std::string trouble_;
};

// The design name a window of the add-in's forms carries; "" for another.
std::string DesignNameOf(HWND window);
// Whether `window` is one of the add-in's forms, in this process.
bool IsOurForm(HWND window);

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_REAL_FORMS_H_
