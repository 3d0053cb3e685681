// Commands for Outlook's item windows, as the user works in them: opening
// an item in its window, Reply, Reply to All and Forward from a main window
// or an item window, clicking a button of an item window, answering the
// question before a note goes into a reply, closing a window, Word as the
// e-mail editor, and looking at an item window and the mail it composes.
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/effects.h"
#include "sim/app/resolve.h"
#include "inspector/cls_inspector.h"
#include "platform/display_text.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/sim_word.h"
#include "store/note_link.h"
#include "store/notes_folder.h"

namespace pinlet::app {
namespace {

using sim::SimInspector;

constexpr const char* kInsertionDialog = "frmWarningOnNoteInsertion";

int WindowNumber(sim::SimOutlook& outlook, const SimInspector* window) {
  const auto& list = outlook.inspectors();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == window) return static_cast<int>(i + 1);
  return 0;
}

// Item window N (1-based, in opening order); the active one for "".
std::shared_ptr<SimInspector> ResolveInspector(Driver& d, const std::string& number,
                                               std::string& error) {
  sim::SimOutlook* outlook = RunningOutlook(d, error);
  if (!outlook) return nullptr;
  const auto& list = outlook->inspectors();
  if (number.empty()) {
    if (outlook->active_inspector()) return outlook->active_inspector();
    if (!list.empty()) return list.back();
    error = "no item window is open (open item)";
    return nullptr;
  }
  bool digits = number.find_first_not_of("0123456789") == std::string::npos;
  size_t n = digits && number.size() < 6 ? std::stoul(number) : 0;
  if (n >= 1 && n <= list.size()) return list[n - 1];
  error = "no item window " + Printable(number) + " (" + std::to_string(list.size()) +
          " open)";
  return nullptr;
}

void PrintOpened(Driver& d, const std::shared_ptr<SimInspector>& window,
                 std::ostream& out) {
  sim::SimOutlook& outlook = *d.session()->outlook();
  if (!window) {
    out << "no item window showed\n";
    return;
  }
  out << "item window " << WindowNumber(outlook, window.get()) << ": \""
      << Printable(window->caption()) << "\"\n";
  auto bar = window->command_bars()->FindBar("Standard");
  if (!bar) return;
  for (const auto& control : bar->controls)
    if (!control->built_in)
      out << "  button \"" << Printable(control->caption) << "\""
          << (control->tag.empty() ? "" : " (tag " + Printable(control->tag) + ")")
          << "\n";
}

int OpenItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 2) return 2;
  sim::SimOutlook* outlook = RunningOutlook(d, error);
  auto item = outlook ? ResolveFolderItem(d, args[0], args[1], error) : nullptr;
  if (!item) return 2;
  Effects effects(d.world());
  std::shared_ptr<SimInspector> window = outlook->OpenItem(item);
  PrintOpened(d, window, out);
  effects.Print(out);
  return 0;
}

int CloseItem(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() > 1) return 2;
  auto window = ResolveInspector(d, args.empty() ? "" : args[0], error);
  if (!window) return 2;
  Effects effects(d.world());
  d.session()->outlook()->CloseInspector(window);
  out << "item window closed; " << d.session()->outlook()->inspectors().size()
      << " open\n";
  effects.Print(out);
  return 0;
}

// Clicks a control of a window's bars as the user does.
int ClickOn(Driver& d, sim::SimCommandBars& bars, const std::string& caption,
            std::ostream& out, std::string& error) {
  std::shared_ptr<sim::ControlNode> control = ResolveControl(bars, caption, error);
  if (!control) return 2;
  std::string path = bars.PathOf(*control);
  size_t windows = d.session()->outlook()->inspectors().size();
  Effects effects(d.world());
  sim::SimCommandBars::ClickResult result = bars.Click(control);
  if (!result.refused.empty()) {
    error = "cannot click " + path + ": it " + result.refused;
    return kRefused;
  }
  out << "clicked " << path << (result.action_ran ? "; Outlook's own command ran" : "")
      << "\n";
  auto& list = d.session()->outlook()->inspectors();
  if (list.size() > windows || (!list.empty() && result.action_ran))
    PrintOpened(d, d.session()->outlook()->active_inspector(), out);
  effects.Print(out);
  return 0;
}

// Reply, Reply to All or Forward: in item window N when given, else in the
// active main window on its selection.
int AnswerCommand(const char* caption, Driver& d, const std::vector<std::string>& args,
                  std::ostream& out, std::string& error) {
  if (args.size() > 1) return 2;
  std::shared_ptr<sim::SimCommandBars> bars;
  if (!args.empty()) {
    auto window = ResolveInspector(d, args[0], error);
    if (!window) return 2;
    bars = window->command_bars();
  } else {
    auto window = ActiveExplorer(d, error);
    if (!window) return 2;
    bars = window->command_bars();
  }
  return ClickOn(d, *bars, std::string("Standard/") + caption, out, error);
}

int ItemClick(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() != 2) return 2;
  auto window = ResolveInspector(d, args[0], error);
  if (!window) return 2;
  return ClickOn(d, *window->command_bars(), args[1], out, error);
}

int AnswerInsertion(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                    std::string& error) {
  std::vector<sim::FormAction> actions;
  std::string final_click;
  for (const std::string& arg : args) {
    if (arg == "yes" || arg == "no") {
      final_click = arg == "yes" ? "cmdYes" : "cmdNo";
    } else if (arg == "--dont-ask") {
      actions.push_back(sim::FormAction::Set("chkDontAsk", "1"));
    } else if (arg == "--view-note") {
      actions.push_back(sim::FormAction::Click("cmdViewNote"));
    } else if (arg == "--help") {
      actions.push_back(sim::FormAction::Click("cmdHelp"));
    } else {
      error = "unknown word '" + Printable(arg) + "'";
      return 2;
    }
  }
  if (final_click.empty()) {
    error = "say yes or no";
    return 2;
  }
  sim::FormAction show;
  show.kind = sim::FormAction::Kind::kShow;
  actions.push_back(show);
  actions.push_back(sim::FormAction::Click(final_click));
  out << "the next question before inserting a note will be answered: ";
  for (size_t i = 0; i < actions.size(); ++i)
    out << (i ? "; " : "") << actions[i].ToString();
  out << "\n";
  d.world().ui.QueueFormAnswer(kInsertionDialog, std::move(actions));
  return 0;
}

int StartWord(Driver& d, const std::vector<std::string>& args, std::ostream& out,
              std::string& error) {
  if (args.size() == 2 && args[0] == "--outlook-version") {
    if (!d.session() || !d.session()->outlook()) {
      error = "Outlook must be running (start)";
      return 2;
    }
    d.session()->outlook()->set_version(args[1]);
  } else if (!args.empty()) {
    return 2;
  }
  if (!d.StartWord(error)) return 2;
  bool connected = ConnectorInitialized(d.world(), *d.word_session(), "Microsoft Word");
  out << "Microsoft Word started as Outlook's e-mail editor (Outlook "
      << d.session()->outlook()->major_version() << "); Pinlet in Word "
      << (connected ? "reached Outlook's connector" : "did not reach Outlook") << "\n";
  return 0;
}

void PrintMail(Driver& d, const SimInspector& window, std::ostream& out) {
  sim::FaultInjector::Pause pause(d.world().faults);
  // What the window shows: the item with the changes its window holds.
  const sim::ItemContent* node = window.content();
  if (!node || node->cls != ol::kMail) return;
  ol::ItemPtr item = window.item();
  for (const char* member : {"To", "CC", "BCC"})
    out << member << ": " << Printable(ToText(item->Get(member))) << "\n";
  out << "Subject: " << Printable(node->subject) << "\n";
  std::string html = ToText(item->Get("HTMLBody"));
  if (html.empty())
    out << "HTML body: (none)\n";
  else
    out << "HTML body:\n  " << PrintableLines(html, "  ") << "\n";
  out << "plain body:\n  " << PrintableLines(ToText(item->Get("Body")), "  ") << "\n";
  out << "attachments: " << node->attachments.size() << "\n";
  for (const auto& a : node->attachments)
    out << "  " << Printable(a.file_name) << " (" << a.content.size() << " bytes)\n";
}

int ShowInspector(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string& error) {
  if (args.size() > 1) return 2;
  auto window = ResolveInspector(d, args.empty() ? "" : args[0], error);
  if (!window) return 2;
  sim::SimOutlook& outlook = *d.session()->outlook();
  out << "item window " << WindowNumber(outlook, window.get()) << " of "
      << outlook.inspectors().size()
      << (outlook.active_inspector() == window ? " (active)" : "") << ": \""
      << Printable(window->caption()) << "\"\n";
  {
    sim::FaultInjector::Pause pause(d.world().faults);
    out << "editor: " << window->EditorType()
        << (window->EditorType() == ol::kOlEditorWord ? " (Word)" : "") << "\n";
  }
  if (auto word = d.world().word)
    if (word->WindowOf(window.get())) out << "Word edits this window\n";
  if (auto bar = window->command_bars()->FindBar("Standard"))
    out << window->command_bars()->Show(*bar);
  PrintMail(d, *window, out);
  return 0;
}

// Attaches a file of the machine to an item's note, as the note window's
// attachment list does.
int NoteFile(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() != 3) return 2;
  auto item = ResolveFolderItem(d, args[0], args[1], error);
  if (!item) return 2;
  int status = kDone;
  std::shared_ptr<Connect> addin = d.LinkedAddin(error, &status);
  if (!addin) return status;
  sim::FaultInjector::Pause pause(d.world().faults);
  ol::ItemPtr note = FindNoteOf(addin->context(), sim::WrapItem(&d.world(), item)).note;
  if (!note) {
    error = "the item has no note (note add)";
    return 2;
  }
  if (auto failed = Attempt([&] {
        note->Attachments()->Add(args[2]);
        note->Save();
      })) {
    error = "cannot attach " + Printable(args[2]) + ": " + failed->description();
    return 2;
  }
  out << "attached " << Printable(args[2]) << " to the note of "
      << Printable(item->subject) << "\n";
  return 0;
}

}  // namespace

void AddInspectorCommands(std::map<std::string, Command>& c) {
  c["open item"] = {"open item FOLDER N|SUBJECT",
                    "the user opens an item in its own window (item window)", OpenItem,
                    true};
  c["close item"] = {"close item [N]",
                     "the user closes item window N (the active one by default)",
                     CloseItem, true};
  c["reply"] = {"reply [N]",
                "Outlook's Reply: on the active main window's selection, or in item "
                "window N",
                [](Driver& d, const std::vector<std::string>& a, std::ostream& o,
                   std::string& e) { return AnswerCommand("Reply", d, a, o, e); },
                true};
  c["reply all"] = {
      "reply all [N]", "Outlook's Reply to All, as reply does",
      [](Driver& d, const std::vector<std::string>& a, std::ostream& o, std::string& e) {
        return AnswerCommand("Reply to All", d, a, o, e);
      },
      true};
  c["forward"] = {"forward [N]", "Outlook's Forward, as reply does",
                  [](Driver& d, const std::vector<std::string>& a, std::ostream& o,
                     std::string& e) { return AnswerCommand("Forward", d, a, o, e); },
                  true};
  c["item click"] = {"item click N CAPTION",
                     "the user clicks a button of item window N (by caption or path)",
                     ItemClick, true};
  c["answer insertion"] = {
      "answer insertion yes|no [--dont-ask] [--view-note] [--help]",
      "the answer to the next question before a note goes into a reply or forward",
      AnswerInsertion};
  c["start word"] = {
      "start word [--outlook-version V]",
      "Word becomes Outlook's e-mail editor and loads its own Pinlet (Outlook V, "
      "\"10.0\" for 2002)",
      StartWord, true};
  c["note file"] = {"note file FOLDER N|SUBJECT PATH",
                    "attach a file of the machine to the item's note", NoteFile, true};
  c["show inspector"] = {"show inspector [N]",
                         "an item window: its editor, Pinlet's buttons on its Standard "
                         "bar and, for a mail, its recipients, bodies and attachments",
                         ShowInspector, true};
}

}  // namespace pinlet::app
