// The simulated user interface: the form factory of the platform, the user's
// actions on forms, the strict scripted responder that answers modal forms
// and popup menus, and the timers that the driver ticks by advancing time.
//
// A modal Show takes the first queued answer for its form (matched by design
// name or caption, ignoring case) and performs its actions in order, firing
// the controls' events into the add-in; Show returns when the form is
// hidden or unloaded. A modal form shown with no answer queued, still open
// when its answer's actions ran out, closed before they ran out, or given an
// action the user could not do (a control missing, hidden or disabled) is a
// defect of the world; the host then closes it as the user's close box would
// and, should the add-in refuse that, hides it. In a run where a host call
// was made to fail, what the failure changed on the form could not be
// foreseen by whoever queued the answer: an action it made impossible, or a
// form it left open, is then recorded with the form and not a defect. The
// action "show" records the form as the user sees it at that moment. A popup menu takes
// the next queued menu answer: an entry (by name or caption), or none. Every modal form
// and every popup menu shown is recorded with what was done.
#ifndef PINLET_SIM_MACHINE_SIM_UI_H_
#define PINLET_SIM_MACHINE_SIM_UI_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/machine/form_look.h"
#include "sim/machine/scripted_responder.h"
#include "platform/ui_controls.h"

namespace pinlet::sim {

class World;
class SimForm;
class SimControlCore;

// One thing the user does on a form. `control` is a control's design name,
// or the form's own design name for its background.
struct FormAction {
  enum class Kind {
    kClick,      // click CONTROL [left|right|middle]
    kDblClick,   // dblclick CONTROL [ENTRY]
    kMouseDown,  // mousedown CONTROL [BUTTON]
    kMouseUp,    // mouseup CONTROL [BUTTON]
    kHover,      // hover CONTROL
    kType,       // type CONTROL TEXT
    kKey,        // key CONTROL KEY   ("Enter", "Delete", "Ctrl+O", "Ctrl+F4", "a")
    kSet,        // set CONTROL VALUE (text, check box 0/1/2, date or "none", entry)
    kChoose,     // choose CONTROL ENTRY (entry text, or "#N" as the control counts)
    kSelect,     // select CONTROL START LENGTH
    kClose,      // close (the close box)
    kResize,     // resize WIDTH HEIGHT
    kMove,       // move LEFT TOP
    kShow,       // show (the user looks: a modal form's state is recorded)
  };
  Kind kind = Kind::kClick;
  std::string control;
  std::string text;
  int button = ui::mouse::kLeft;
  int32_t a = 0, b = 0;  // select: start, length; resize: size; move: position

  static FormAction Click(std::string control, int button = ui::mouse::kLeft);
  // A mouse action of any kind (kHover, kDblClick, kMouseDown, ...).
  static FormAction Mouse(Kind kind, std::string control, int button = ui::mouse::kLeft);
  static FormAction Resize(int32_t width, int32_t height);
  static FormAction Type(std::string control, std::string text);
  static FormAction Key(std::string control, std::string key);
  static FormAction Set(std::string control, std::string value);
  static FormAction Choose(std::string control, std::string entry);
  static FormAction Close();
  // As a script writes it: "click cmdOK", "type Text \"abc\"".
  std::string ToString() const;
};

// Reads actions from script words, several separated by ";" (a word of its
// own, or ending a word). False with `error` set for a malformed one.
bool ParseFormActions(const std::vector<std::string>& words,
                      std::vector<FormAction>& actions, std::string& error);
// Reads a key as "Ctrl+Shift+F4", "Enter", "a"; false for an unknown key.
bool ParseKey(std::string_view text, int& key_code, int& shift);
// The character a key gives with the shift state, as the keyboard's
// translation makes it (KeyPress); 0 for none.
int CharOf(int key_code, int shift);
// How a user types `text`: a letter, digit, space or line end as its key
// (KeyDown, KeyPress with `ch`, KeyUp), any other character (a surrogate
// pair as one) as KeyPress alone, with key_code 0. A line end (CR LF, CR or
// LF) is one Enter.
struct Keystroke {
  int key_code;
  int shift;
  int ch;
};
std::vector<Keystroke> KeystrokesOf(std::string_view text);

// A modal form as SimUi::AnswerModal answers it: this machine's own, or a
// real window that a host in the process drives.
class ModalSubject {
 public:
  virtual ~ModalSubject() = default;
  virtual std::string design_name() = 0;
  virtual std::string caption() = 0;
  // Loaded and visible: the user can still act on it.
  virtual bool IsOpen() = 0;
  virtual bool Unloaded() = 0;
  // The user's action; false with `error` when it cannot be done.
  virtual bool Perform(const FormAction& action, std::string& error) = 0;
  // The form as SimUi::Describe gives it.
  virtual std::string Describe() = 0;
  // How it looks, for pictures; nullopt where it cannot be drawn.
  virtual std::optional<FormLook> Look() = 0;
  // Closes a form the answer left open, as the close box would, or hides it
  // when the add-in refuses; answers the outcome as recorded.
  virtual std::string CloseLeftOpen() = 0;
};

class SimUi : public ui::FormFactory {
 public:
  struct ModalRecord {
    std::string form;
    std::string caption;
    std::vector<std::string> actions;  // each as ToString gives it
    std::string outcome;               // "hidden", "unloaded", "closed by the host"
    // How the form looked while it was open: when it was shown and after
    // each action that left it open.
    std::vector<FormLook> looks;
    // The form as Describe gave it at each "show" action.
    std::vector<std::string> snapshots;
  };
  struct MenuRecord {
    std::string form;
    std::string menu;
    std::vector<std::string> entries;  // captions; "(disabled)" after a disabled one
    std::string chosen;                // the entry's name; "" when none
    int32_t x = 0, y = 0;              // where it was shown: the mouse, on the form
    // What of the menu could not be seen by whoever recorded it ("" when
    // everything could): a real menu seen from outside shows its captions,
    // not its names or where it was shown.
    std::string unseen;
  };

  explicit SimUi(World* world) : world_(world) {}
  ~SimUi() override;
  SimUi(const SimUi&) = delete;
  SimUi& operator=(const SimUi&) = delete;

  ui::FormPtr CreateForm(std::string_view design_name) override;

  // Every loaded form, in creation order.
  const std::vector<std::shared_ptr<SimForm>>& forms() const { return forms_; }
  // A loaded form by its window handle ("0x10040"), design name or caption
  // (ignoring case); among several, the front-most. nullptr when none.
  SimForm* FindForm(std::string_view name) const;

  // The user acts on a form. False with `error` set when the action cannot
  // be done: no such control, or one hidden or disabled, or a value the
  // control does not take. `refused`, when given, says whether it was the
  // screen that refused what the user did (a form not shown, a control
  // hidden or disabled) rather than an action no screen could take.
  bool Perform(SimForm& form, const FormAction& action, std::string& error,
               bool* refused = nullptr);

  // The answer for the next modal show of the form named `match`.
  void QueueFormAnswer(std::string match, std::vector<FormAction> actions);
  // The answer for the next popup menu: an entry's name or caption, or ""
  // to dismiss the menu.
  void QueueMenuAnswer(std::string entry);
  // The next queued popup-menu answer ("" to dismiss the menu); nullopt
  // when none is queued.
  std::optional<std::string> TakeMenuAnswer();
  // A popup menu that was shown, with what was done on it.
  void RecordMenu(MenuRecord record) { menu_records_.push_back(std::move(record)); }
  struct QueuedAnswer {
    std::string match;  // the form's design name or caption
    std::vector<FormAction> actions;
  };
  const std::deque<ScriptedResponder<QueuedAnswer>::Entry>& queued_form_answers() const {
    return form_answers_.pending();
  }
  const std::deque<ScriptedResponder<std::string>::Entry>& queued_menu_answers() const {
    return menu_answers_.pending();
  }
  const std::vector<ModalRecord>& modal_forms() const { return modal_records_; }
  const std::vector<MenuRecord>& menus() const { return menu_records_; }

  // Simulated time for the timers, in milliseconds since the world began.
  int64_t now_ms() const { return now_ms_; }
  // Milliseconds from now to the next tick of any timer; nullopt when none runs.
  std::optional<int64_t> NextTick() const;
  // Advances the time (and the world's clock) by `ms`, firing every tick
  // that falls due on the way, in time order. Returns the ticks fired.
  int AdvanceTime(int64_t ms);

  // A timer of another module that runs on this simulated time: the timers
  // a host lends the add-in when its windows are real (SetTimer on a window
  // and an id, `key`). `tick` runs every `interval_ms` (at least 1) from
  // now until KillLentTimer; setting a running key again starts its interval
  // anew, as SetTimer does. A tick counts as the forms' timers' ticks do.
  void SetLentTimer(const std::pair<uintptr_t, uintptr_t>& key, int64_t interval_ms,
                    std::function<void()> tick);
  // Stops the lent timer `key`; false when none runs.
  bool KillLentTimer(const std::pair<uintptr_t, uintptr_t>& key);

  // The form as text: caption, state, geometry, colours, and each visible
  // control with its kind, geometry, picture key, enabled state and value.
  std::string Describe(const SimForm& form) const;

  // For SimForm: the modal show, a popup menu, and an unload.
  void RunModal(SimForm& form);
  // Answers the modal form `form`, which is up: takes the first queued
  // answer for it, performs its actions and records the form, each action
  // and the outcome in modal_forms(). What does not match (no answer, an
  // action that cannot be done, a form left open) is a defect of the world,
  // as the header says.
  void AnswerModal(ModalSubject& form);
  void RunPopup(SimForm& form, SimControlCore& menu);
  void Forget(const SimForm* form);

 private:
  bool Mouse(SimForm& form, SimControlCore* control, const FormAction& action,
             std::string& error);
  void PressKey(SimForm& form, SimControlCore* control, int key_code, int shift);
  void TypeText(SimForm& form, SimControlCore* control, std::string_view text);
  // The timer whose tick is next and due by `limit`: a form's or a lent one.
  struct NextTimer {
    std::shared_ptr<SimControlCore> control;
    std::optional<std::pair<uintptr_t, uintptr_t>> lent;
    int64_t due = -1;
  };
  NextTimer FindNextTimer(int64_t limit) const;

  World* world_;
  std::vector<std::shared_ptr<SimForm>> forms_;
  // Queued for any prompt; a form takes the first answer whose match is
  // exactly its design name or caption.
  ScriptedResponder<QueuedAnswer> form_answers_;
  ScriptedResponder<std::string> menu_answers_;
  std::vector<ModalRecord> modal_records_;
  std::vector<MenuRecord> menu_records_;
  int64_t now_ms_ = 0;
  struct LentTimer {
    int64_t interval = 0;
    int64_t due = 0;  // -2 while it ticks
    std::function<void()> tick;
  };
  std::map<std::pair<uintptr_t, uintptr_t>, LentTimer> lent_timers_;
};

// Whether a popup-menu answer names the entry: its name or its caption,
// ignoring case and the captions' ampersands.
bool AnswerNamesEntry(std::string_view answer, std::string_view name,
                      std::string_view caption);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_UI_H_
