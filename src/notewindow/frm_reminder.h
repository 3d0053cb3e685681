// frmReminder: the modal dialog in which the user sets or removes a note's
// reminder: a date in the calendar and a time chosen from the 48 half hours
// of a day (or typed, or "None"). OK gives "date" or "date time"; "Cancel
// Reminder" gives "" (the reminder is removed); the close box changes
// nothing. An invalid date or time is answered by a message box and the
// dialog stays open.
//
// frmWarningOnReminder: the modal question asked before a reminder is set
// on an item that lies where Outlook raises no reminders. Its check box
// "Don't show this message again" is stored in "WarningOnReminder" when the
// dialog closes.
//
// Each object is one showing: Load builds the window, Show runs it modally
// and unloads it. Building failures are raised to the caller with nothing
// left behind; the handlers report theirs with their tags.
#ifndef PINLET_NOTEWINDOW_FRM_REMINDER_H_
#define PINLET_NOTEWINDOW_FRM_REMINDER_H_

#include <memory>
#include <string>
#include <vector>

#include "addin/context.h"
#include "platform/date.h"
#include "platform/ui_controls.h"

namespace pinlet {

// The 48 entries of the time list: "12:00 AM", "12:30 AM", "1:00 AM", ...
// "11:30 PM".
std::vector<std::string> HalfHourTimes();

// A time of day as the time list writes it: "h:mm AM/PM".
std::string TimeText(Date time);

class frmReminder {
 public:
  // `current` is the note's reminder text, the result until the user
  // answers otherwise.
  frmReminder(AddinContext& ctx, std::string current);
  ~frmReminder();
  frmReminder(const frmReminder&) = delete;
  frmReminder& operator=(const frmReminder&) = delete;

  // Builds the window and runs Form_Load. Raises what building raises.
  void Load();
  // Proposes a date and a time text; after Load. Raises.
  void Propose(Date date, std::string_view time);
  // Keeps the dialog above every window (for a note kept on top).
  void MakeTopMost();
  // Shows the loaded dialog modally and unloads it; raises when it cannot
  // be shown.
  void Show();
  // The reminder text the user left: see the file comment.
  const std::string& result() const { return result_; }

 private:
  void Form_Load();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void Release();

  AddinContext& ctx_;
  std::string result_;
  ui::FormPtr form_;
  std::shared_ptr<ui::Calendar> Calendar1;
  std::shared_ptr<ui::ComboBox> cboTime;
  std::vector<Subscription> events_;
};

class frmWarningOnReminder {
 public:
  // `title` names the item in the question.
  frmWarningOnReminder(AddinContext& ctx, std::string title);
  ~frmWarningOnReminder();
  frmWarningOnReminder(const frmWarningOnReminder&) = delete;
  frmWarningOnReminder& operator=(const frmWarningOnReminder&) = delete;

  // Builds, shows modally and unloads the dialog; raises when it cannot be
  // built or shown (then nothing is stored).
  void Show();
  // The answer: true for Yes; false for Cancel and the close box.
  bool blnYes = false;

 private:
  void Form_Load();
  void cmdYes_Click();
  void cmdNo_Click();
  // Follows the check box as the user changes it.
  void chkDontAsk_Click();
  // Stores the check box; run whenever the dialog closes.
  void Form_Unload();
  void Release();

  AddinContext& ctx_;
  std::string title_;
  ui::FormPtr form_;
  std::shared_ptr<ui::CheckBox> chkDontAsk;
  std::vector<Subscription> events_;
  bool dont_ask_ = false;  // the check box, as the user left it
  bool stored_ = false;
};

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_FRM_REMINDER_H_
