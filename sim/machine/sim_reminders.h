// Outlook's reminders: the items whose reminder has come, and the Reminders
// window that shows them.
//
// Outlook 2002 and 2003 remind only of the items of the default store's
// Inbox, Calendar, Contacts and Tasks folders themselves; an item of any
// other folder (a subfolder of those too) never reminds. A mail or a task
// reminds at its ReminderTime, an appointment ReminderMinutesBeforeStart
// before its Start, each only while its saved ReminderSet is True.
//
// Outlook looks at its reminders as time passes (Check). A reminder whose
// time has come joins the Reminders window, which opens as a window that
// opens does (at the front, activated), captioned "1 Reminder" or "N
// Reminders", its reminders in the order of their times. A reminder fires
// once for its time; it leaves the window when its item is gone, has left
// those folders, or its reminder was cleared or moved, and the window
// closes when none is left. The window is Outlook's own: nothing here is a
// call of the add-in's, and it closes when Outlook does.
#ifndef PINLET_SIM_MACHINE_SIM_REMINDERS_H_
#define PINLET_SIM_MACHINE_SIM_REMINDERS_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/date.h"
#include "platform/windows.h"

namespace pinlet::sim {

class World;
struct FolderNode;
struct ItemNode;

class SimReminders {
 public:
  struct Reminder {
    std::string entry_id;
    std::string subject;
    int cls = 0;  // the item's class
    Date due;
  };

  explicit SimReminders(World* world) : world_(world) {}
  ~SimReminders() { Close(); }
  SimReminders(const SimReminders&) = delete;
  SimReminders& operator=(const SimReminders&) = delete;

  // Outlook looks at the reminders at the clock's time: answers how many
  // fired now. When some did, the Reminders window opens, or comes to the
  // front activated.
  int Check();

  // Outlook quits: the window closes. What was not dismissed reminds again
  // in the next Outlook.
  void Close();

  // The reminders the window shows, in the order of their times.
  const std::vector<Reminder>& shown() const { return shown_; }
  // The Reminders window; 0 when it is not open.
  WindowHandle window() const { return window_; }

  // When the item reminds, if it can: its reminder is set, it is saved, and
  // it lies in a folder whose items remind. nullopt otherwise.
  std::optional<Date> DueOf(const ItemNode& item) const;

 private:
  // Whether the folder's items remind.
  bool Reminds(const FolderNode* folder) const;
  // Opens the window, or retitles it; closes it when nothing is shown.
  void UpdateWindow(bool fired);

  World* world_;
  std::vector<Reminder> shown_;
  std::map<std::string, double> fired_;  // EntryID -> the time that fired
  WindowHandle window_ = 0;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_REMINDERS_H_
