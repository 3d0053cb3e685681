// Commands for the note window: open an item's note as Outlook's note
// button does, act on the note window as the user (type at the caret,
// select, press keys, click or hover a control), and show the window as
// text. Dialog answers, timers and other windows have their own commands
// (answer font, answer colour, tick, activate window, form).
#include <ostream>

#include "addin/outlook_connect.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "platform/display_text.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_form.h"

namespace pinlet::app {
namespace {

constexpr const char* kNoteForm = "frmComments";

// The note window the commands act on: the one whose caption or handle is
// given, else the front-most one.
std::optional<FormRef> NoteForm(Driver& d, const std::string& which, std::string& error) {
  auto form = d.forms().Find(which.empty() ? kNoteForm : which);
  if (!form || form->design_name != kNoteForm) {
    error = which.empty() ? "no note window is open (see note open)"
                          : "no note window '" + which + "' is open (see show windows)";
    return std::nullopt;
  }
  return form;
}

int NoteOpen(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  bool add = !args.empty() && args.back() == "--add";
  if (args.size() != (add ? 3u : 2u)) return 2;
  auto node = ResolveFolderItem(d, args[0], args[1], error);
  if (!node) return 2;
  // The Outlook connector as another host's code reaches it (the Word
  // editor's): through the add-in Outlook published.
  std::shared_ptr<AddInConnector> connector =
      d.session() ? PublishedConnector(d.world(), *d.session(), "Outlook") : nullptr;
  if (!connector || !ConnectorInitialized(d.world(), *d.session(), "Outlook")) {
    error = "Outlook must be running with Pinlet connected (start)";
    return 2;
  }
  // The caption the item's note button shows; --add clicks an "Add Note"
  // that is out of date.
  bool has_note = ItemHasNote(d, *node);
  std::string caption = LoadResString(!add && has_note ? res::kViewNote : res::kAddNote);
  ol::ItemPtr item = sim::WrapItem(&d.world(), node);
  d.CallAddin("PinletClick", [&] {
    bool close = false;
    connector->PinletClick(caption, true, item, nullptr, close, nullptr);
  });
  out << caption << " on '" << Printable(node->subject) << "': ";
  auto form = d.forms().Find(kNoteForm);
  if (!form || !form->visible) {
    out << "no note window is shown\n";
    return 0;
  }
  out << "note window " << QuotedText(Printable(form->caption)) << " "
      << HandleText(form->handle) << d.forms().NoteKind(*form) << "\n";
  return 0;
}

// The note commands that are a form action on the note window.
int NoteAction(Driver& d, const std::string& verb, const std::vector<std::string>& args,
               std::ostream& out, std::string& error) {
  std::vector<std::string> words = {verb};
  if (verb == "type" || verb == "key" || verb == "select") words.push_back("Text");
  words.insert(words.end(), args.begin(), args.end());
  std::vector<sim::FormAction> actions;
  if (!sim::ParseFormActions(words, actions, error) || actions.size() != 1) return 2;
  auto form = NoteForm(d, "", error);
  if (!form) return 2;
  size_t defects = d.world().defects().size();
  if (int status = d.forms().Perform(*form, actions[0], error)) return status;
  if (verb == "type") d.NoteTypedInto(d.forms().NoteKey(*form));
  out << "note: " << actions[0].ToString() << "\n";
  for (size_t i = defects; i < d.world().defects().size(); ++i)
    out << "DEFECT: " << d.world().defects()[i] << "\n";
  return 0;
}

int ShowNote(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() > 1) return 2;
  auto form = NoteForm(d, args.empty() ? "" : args[0], error);
  if (!form) return 2;
  std::string text;
  int status = d.forms().DescribeNote(*form, text);
  if (status != kDone) {
    error = text;
    return status;
  }
  out << text;
  return 0;
}

}  // namespace

void AddNoteCommands(std::map<std::string, Command>& c) {
  c["note open"] = {"note open FOLDER N|SUBJECT [--add]",
                    "click the item's note button: View Note when it has a note, else "
                    "Add Note (--add: an Add Note that is out of date)",
                    NoteOpen, true};
  auto action = [](std::string verb) {
    return [verb](Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string& error) { return NoteAction(d, verb, args, out, error); };
  };
  c["note type"] = {"note type \"TEXT\"",
                    "type into the front-most note window at the caret", action("type")};
  c["note key"] = {"note key KEY",
                   "press a key in the note's text (Ctrl+O, Ctrl+F4, Enter)",
                   action("key")};
  c["note select"] = {"note select START LENGTH",
                      "select part of the note's text (in UTF-16 units)",
                      action("select")};
  c["note click"] = {
      "note click CONTROL [left|right|middle]",
      "click a control of the note window by its design name (imgTextColor)",
      action("click")};
  c["note hover"] = {"note hover CONTROL",
                     "move the mouse over a control of the note window", action("hover")};
  c["show note"] = {"show note [CAPTION]",
                    "the note window as text: state, place, colours and font, text, "
                    "buttons, footer and attachments",
                    ShowNote};
}

}  // namespace pinlet::app
