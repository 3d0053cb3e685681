// Commands for a note's attachments and reminder, as the user works them in
// the front-most note window: attach a file (the Open dialog answered with
// a path of the simulated machine), list, open, save and remove the
// attachments, set or cancel the reminder through its dialog, and show an
// item's reminder fields and the reminders that have come. Each command answers the dialog it opens and then
// does what the user does: it switches a folded note to its edit state
// with a click on the background, then clicks the button or the list.
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/effects.h"
#include "sim/app/resolve.h"
#include "sim/app/script.h"
#include "platform/display_text.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::app {
namespace {

constexpr const char* kNoteForm = "frmComments";

std::optional<FormRef> FrontNote(Driver& d, std::string& error) {
  auto form = d.forms().Find(kNoteForm);
  if (!form) error = "no note window is open (see note open)";
  return form;
}

// The user's actions on the note window, in order; the first that cannot
// be done ends the command.
int Act(Driver& d, const std::vector<sim::FormAction>& actions, std::ostream& out,
        std::string& error) {
  size_t defects = d.world().defects().size();
  for (const sim::FormAction& action : actions) {
    auto form = FrontNote(d, error);
    if (!form) return 2;
    if (int status = d.forms().Perform(*form, action, error)) return status;
    out << "note: " << action.ToString() << "\n";
  }
  ReportDefects(d.world(), defects, out);
  return 0;
}

// A click on the note's background first when it is folded: its toolbars
// show only in the edit state.
std::vector<sim::FormAction> ToEditState(Driver& d) {
  std::string error;
  auto form = FrontNote(d, error);
  if (form && d.forms().NoteInEditState(*form)) return {};
  return {sim::FormAction::Click(kNoteForm)};
}

int NoteAttach(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() != 1) return 2;
  if (!FrontNote(d, error)) return 2;
  d.world().dialogs.QueueFile(args[0], "Open");
  out << "the Open dialog will be answered " << args[0] << "\n";
  std::vector<sim::FormAction> actions = ToEditState(d);
  actions.push_back(sim::FormAction::Click("imgAddAtt"));
  return Act(d, actions, out, error);
}

int NoteAttachments(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                    std::string& error) {
  if (!args.empty()) return 2;
  auto form = FrontNote(d, error);
  if (!form) return 2;
  std::string id = d.forms().NoteEntryId(*form);
  auto node = id.empty() ? nullptr : d.world().store.FindItem(id);
  if (!node) {
    out << "the note window shows no saved note\n";
    return 0;
  }
  if (node->attachments.empty()) out << "(no attachments)\n";
  int n = 0;
  for (const sim::AttachmentNode& a : node->attachments) {
    out << ++n << ". " << Printable(a.file_name) << ": ";
    if (a.type == ol::kOlByReference)
      out << "a link to " << Printable(a.path_name) << "\n";
    else
      out << a.content.size() << " bytes\n";
  }
  return 0;
}

// "open N", "save N PATH|cancel", "remove N": entry N (from 1) of the list.
int NoteAttachment(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                   std::string& error) {
  if (args.size() < 2) return 2;
  const std::string& verb = args[0];
  auto n = ParseInteger(args[1], 1, 10000);
  if (!n) {
    error = "'" + args[1] + "' is not an entry of the list (1, 2, ...)";
    return 2;
  }
  if (!FrontNote(d, error)) return 2;
  std::vector<sim::FormAction> actions;
  sim::FormAction choose =
      sim::FormAction::Choose("lstAttachments", "#" + std::to_string(*n - 1));
  if (verb == "open" && args.size() == 2) {
    actions = {choose, sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick,
                                              "lstAttachments")};
  } else if (verb == "remove" && args.size() == 2) {
    actions = {choose, sim::FormAction::Key("lstAttachments", "Delete")};
  } else if (verb == "save" && args.size() == 3) {
    if (args[2] == "cancel") {
      d.world().dialogs.QueueCancel(sim::DialogKind::kSave, "Save As");
      out << "the Save As dialog will be cancelled\n";
    } else {
      d.world().dialogs.QueueFile(args[2], "Save As");
      out << "the Save As dialog will be answered " << args[2] << "\n";
    }
    actions = ToEditState(d);
    actions.push_back(choose);
    actions.push_back(sim::FormAction::Click("imgSaveAtt"));
  } else {
    return 2;
  }
  return Act(d, actions, out, error);
}

// "DATE [TIME|none]" or "cancel": the reminder dialog answered, then the
// reminder button clicked.
int NoteReminder(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.empty() || args.size() > 2) return 2;
  if (!FrontNote(d, error)) return 2;
  std::vector<sim::FormAction> answer;
  if (args.size() == 1 && args[0] == "cancel") {
    answer = {sim::FormAction::Click("cmdCancel")};
  } else {
    answer = {sim::FormAction::Set("Calendar1", args[0])};
    if (args.size() == 2)
      answer.push_back(
          sim::FormAction::Set("cboTime", args[1] == "none" ? "None" : args[1]));
    answer.push_back(sim::FormAction::Click("cmdOK"));
  }
  out << "the reminder dialog will be answered: ";
  for (size_t i = 0; i < answer.size(); ++i)
    out << (i ? "; " : "") << answer[i].ToString();
  out << "\n";
  d.world().ui.QueueFormAnswer("frmReminder", std::move(answer));
  std::vector<sim::FormAction> actions = ToEditState(d);
  actions.push_back(sim::FormAction::Click("imgNoteReminder"));
  return Act(d, actions, out, error);
}

int ShowReminder(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                 std::string& error) {
  if (args.size() != 2) return 2;
  auto node = ResolveFolderItem(d, args[0], args[1], error);
  if (!node) return 2;
  out << "'" << Printable(node->subject) << "':";
  bool any = false;
  for (const char* member : {"ReminderSet", "ReminderTime", "FlagDueBy"}) {
    auto it = node->members.find(member);
    if (it == node->members.end()) continue;
    out << (any ? ", " : " ") << member << " "
        << (it->second.IsDate() ? ToDate(it->second).ToGeneralString()
                                : ToText(it->second));
    any = true;
  }
  out << (any ? "\n" : " no reminder fields set\n");
  return 0;
}

int ShowReminders(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string&) {
  if (!args.empty()) return 2;
  sim::SimOutlook* outlook = d.world().outlook;
  const sim::SimReminders* reminders = outlook ? &outlook->reminders() : nullptr;
  if (!reminders || !reminders->window()) {
    out << "no reminder has come: the Reminders window is closed\n";
    return 0;
  }
  const sim::SimWindowManager::Window* window = d.world().windows.Find(reminders->window());
  out << "Reminders window " << QuotedText(Printable(window ? window->title : ""))
      << ":\n";
  for (const sim::SimReminders::Reminder& reminder : reminders->shown())
    out << "  " << QuotedText(Printable(reminder.subject)) << ", "
        << (reminder.cls == ol::kAppointment ? "starts " : "due ")
        << reminder.due.ToGeneralString() << "\n";
  return 0;
}

}  // namespace

void AddAttachmentCommands(std::map<std::string, Command>& c) {
  c["note attach"] = {"note attach PATH",
                      "add a file to the front-most note: its Open dialog answered "
                      "with PATH, then the Add attachment button",
                      NoteAttach};
  c["note attachments"] = {"note attachments",
                           "the front-most note's attachments as its item holds them",
                           NoteAttachments};
  c["note attachment"] = {
      "note attachment open N | save N PATH|cancel | remove N",
      "open (double click), save elsewhere (Save attachment as...) or remove (the "
      "Delete key) entry N of the note's attachment list",
      NoteAttachment};
  c["note reminder"] = {"note reminder DATE [TIME|none] | note reminder cancel",
                        "the reminder button, its dialog answered with a date (m/d/yyyy) "
                        "and a time (\"9:30 AM\"), or with Cancel Reminder",
                        NoteReminder};
  c["show reminder"] = {"show reminder FOLDER N|SUBJECT",
                        "an item's reminder fields: ReminderSet, ReminderTime, FlagDueBy",
                        ShowReminder};
  c["show reminders"] = {"show reminders",
                         "the reminders that have come, as Outlook's Reminders window "
                         "shows them: subject and time",
                         ShowReminders};
}

}  // namespace pinlet::app
