// Commands for the windows, forms and timers of the simulated host: looking
// at the desktop and at a form, acting on an open form as the user, the
// answers for modal forms and popup menus, and time for the timers.
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/effects.h"
#include "sim/app/script.h"
#include "platform/display_text.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::app {
namespace {

int ShowWindows(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  std::vector<DesktopWindow> desktop = d.forms().Desktop();
  if (desktop.empty()) {
    out << "(no windows)\n";
    return 0;
  }
  out << desktop.size() << (desktop.size() == 1 ? " window" : " windows")
      << ", front to back:\n";
  for (const DesktopWindow& w : desktop) {
    out << "  " << HandleText(w.handle) << " " << QuotedText(Printable(w.title));
    if (!w.design_name.empty()) out << " (" << w.design_name << ")";
    out << ": " << (w.visible ? "visible" : "hidden");
    if (w.top_most) out << ", top-most";
    if (w.active) out << ", active";
    out << ", " << RectText(w.rect) << "\n";
  }
  return 0;
}

int ShowForm(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 1) return 2;
  auto form = d.forms().Find(args[0]);
  if (!form) {
    error = "no form '" + args[0] + "' is loaded (see show windows)";
    return 2;
  }
  std::string text;
  int status = d.forms().Describe(*form, text);
  if (status != kDone) {
    error = text;
    return status;
  }
  out << text;
  return 0;
}

int ShowForms(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (!args.empty()) return 2;
  const sim::SimUi& ui = d.world().ui;
  for (const auto& menu : ui.menus()) {
    if (menu.unseen.empty()) continue;
    error = menu.unseen;
    return kSkipped;
  }
  if (ui.modal_forms().empty() && ui.menus().empty())
    out << "(no modal form or popup menu was shown)\n";
  for (const auto& shown : ui.modal_forms()) PrintModalForm(shown, out);
  for (const auto& menu : ui.menus()) {
    out << "popup " << menu.menu << " of " << menu.form << " at " << menu.x << ","
        << menu.y << " [";
    for (size_t i = 0; i < menu.entries.size(); ++i)
      out << (i ? ", " : "") << menu.entries[i];
    out << "] -> " << (menu.chosen.empty() ? "nothing" : menu.chosen) << "\n";
  }
  for (const auto& queued : ui.queued_form_answers()) {
    const auto& answer = queued.answer;
    out << "queued for " << answer.match << ": ";
    for (size_t i = 0; i < answer.actions.size(); ++i)
      out << (i ? "; " : "") << answer.actions[i].ToString();
    out << "\n";
  }
  for (const auto& queued : ui.queued_menu_answers())
    out << "queued for a popup menu: " << (queued.answer.empty() ? "none" : queued.answer)
        << "\n";
  return 0;
}

int Tick(Driver& d, const std::vector<std::string>& args, std::ostream& out,
         std::string& error) {
  if (args.size() > 1) return 2;
  sim::SimUi& ui = d.world().ui;
  int64_t ms = 0;
  if (args.empty()) {
    auto next = ui.NextTick();
    if (!next) {
      out << "no timer is running\n";
      return 0;
    }
    ms = *next;
  } else {
    auto value = ParseInteger(args[0], 0, 86400000);
    if (!value) {
      error = "'" + args[0] + "' is not a number of milliseconds from 0 to 86400000";
      return 2;
    }
    ms = *value;
  }
  size_t defects = d.world().defects().size();
  int ticks = ui.AdvanceTime(ms);
  out << ms << " ms later: " << ticks << (ticks == 1 ? " timer tick" : " timer ticks")
      << "; it is " << d.world().clock.now().ToGeneralString() << "\n";
  // Outlook looks at its reminders as the time passes.
  if (sim::SimOutlook* outlook = d.world().outlook) {
    sim::SimReminders& reminders = outlook->reminders();
    if (int fired = reminders.Check()) {
      out << fired << (fired == 1 ? " reminder" : " reminders")
          << " came: Outlook shows its Reminders window "
          << QuotedText(Printable(d.world().windows.Find(reminders.window())->title))
          << " (see show reminders)\n";
      if (d.world().windows.active() == reminders.window())
        d.forms().HostWindowActivated(reminders.window());
    }
  }
  ReportDefects(d.world(), defects, out);
  return 0;
}

int AnswerForm(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() < 2) return 2;
  std::vector<sim::FormAction> actions;
  if (!sim::ParseFormActions({args.begin() + 1, args.end()}, actions, error)) return 2;
  out << "the next modal " << args[0] << " will be answered: ";
  for (size_t i = 0; i < actions.size(); ++i)
    out << (i ? "; " : "") << actions[i].ToString();
  out << "\n";
  d.world().ui.QueueFormAnswer(args[0], std::move(actions));
  return 0;
}

int AnswerMenu(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string&) {
  if (args.size() != 1) return 2;
  bool none = args[0] == "none";
  d.world().ui.QueueMenuAnswer(none ? "" : args[0]);
  out << "the next popup menu will be "
      << (none ? "dismissed" : "answered with " + QuotedText(args[0])) << "\n";
  return 0;
}

int ActOnForm(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() < 2) return 2;
  std::vector<sim::FormAction> actions;
  if (!sim::ParseFormActions({args.begin() + 1, args.end()}, actions, error)) return 2;
  size_t defects = d.world().defects().size();
  for (const sim::FormAction& action : actions) {
    auto form = d.forms().Find(args[0]);
    if (!form) {
      error = "no form '" + args[0] + "' is loaded (see show windows)";
      return 2;
    }
    if (action.kind == sim::FormAction::Kind::kShow) {
      std::string text;
      if (int status = d.forms().Describe(*form, text)) {
        error = text;
        return status;
      }
      out << text;
      continue;
    }
    if (int status = d.forms().Perform(*form, action, error)) return status;
    out << args[0] << ": " << action.ToString() << "\n";
  }
  ReportDefects(d.world(), defects, out);
  return 0;
}

int ActivateWindow(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                   std::string& error) {
  if (args.size() != 1) return 2;
  sim::SimWindowManager& windows = d.world().windows;
  size_t defects = d.world().defects().size();
  WindowHandle handle = windows.FindByTitle(args[0]);
  if (!handle || !windows.Activate(handle)) {
    error = "no visible window has '" + args[0] + "' in its title (see show windows)";
    return 2;
  }
  d.forms().HostWindowActivated(handle);
  out << "activated " << HandleText(handle) << " "
      << QuotedText(windows.Find(handle)->title) << "\n";
  ReportDefects(d.world(), defects, out);
  return 0;
}

// The clipboard as the machine holds it: each format set, with its text or
// its size, then the formats the system would make from them.
int ShowClipboard(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string&) {
  if (!args.empty()) return 2;
  sim::SimClipboard& clipboard = d.world().clipboard;
  if (clipboard.contents().empty()) out << "(the clipboard is empty)\n";
  for (auto& [format, bytes] : clipboard.contents()) {
    out << clipboard.FormatName(format) << ": ";
    if (format == cf::kUnicodeText)
      out << "\"" << Printable(TextFromUnicodeBlock(bytes)) << "\"";
    else if (format == cf::kText || format == cf::kOemText)
      out << "\"" << Printable(TextFromBlock(bytes)) << "\"";
    else
      out << bytes.size() << " bytes";
    out << "\n";
  }
  return 0;
}

}  // namespace

void AddUiCommands(std::map<std::string, Command>& c) {
  c["show clipboard"] = {"show clipboard", "the clipboard's formats and what each holds",
                         ShowClipboard};
  c["show windows"] = {"show windows",
                       "the windows front to back: top-most, active, position and size",
                       ShowWindows};
  c["show form"] = {"show form NAME",
                    "a loaded form (by design name, caption or handle) and its controls",
                    ShowForm};
  c["show forms"] = {"show forms",
                     "every modal form and popup menu shown, with what was done, and "
                     "the answers still queued",
                     ShowForms};
  c["form"] = {"form NAME ACTION [; ACTION...]",
               "act on an open form as the user: click, dblclick, mousedown, mouseup, "
               "hover, type, key, set, choose, select, close, resize, move",
               ActOnForm};
  c["answer form"] = {"answer form NAME ACTION [; ACTION...]",
                      "what the user does on the next modal form of that name or caption",
                      AnswerForm};
  c["answer menu"] = {"answer menu ENTRY|none",
                      "the entry (name or caption) the user chooses on the next popup "
                      "menu, or none",
                      AnswerMenu};
  c["tick"] = {"tick [MS]",
               "advance the time (to the next timer tick without MS) and fire the "
               "timers that fall due",
               Tick};
  c["activate window"] = {
      "activate window TEXT",
      "the user activates the front-most window with TEXT in its title", ActivateWindow};
}

}  // namespace pinlet::app
