// Commands for the note window: open an item's note as Outlook's note
// button does, act on the note window as the user (type at the caret,
// select, press keys, click or hover a control), and show the window as
// text. Dialog answers, timers and other windows have their own commands
// (answer font, answer colour, tick, activate window, form).
#include <ostream>

#include "addin/outlook_connect.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "app/driver.h"
#include "app/printable.h"
#include "app/resolve.h"
#include "notewindow/frm_comments.h"
#include "platform/sim/sim_controls.h"
#include "platform/sim/sim_form.h"

namespace pinlet::app {
namespace {

constexpr const char* kNoteForm = "frmComments";

// The item's note at the node level: looking is not a call of the add-in's.
bool ItemHasNote(Driver& d, const sim::ItemNode& item) {
  if (item.entry_id.empty()) return false;
  sim::FaultInjector::Pause pause(d.world().faults);
  auto id = d.world().registry.QueryValue(kFoldersKey, "EntryID");
  sim::FolderNode* folder = id ? d.world().store.FindFolder(id->data) : nullptr;
  return folder && d.world().store.FindBySubject(*folder, item.entry_id);
}

// The note window the commands act on: the one whose caption or handle is
// given, else the front-most one.
sim::SimForm* NoteForm(Driver& d, const std::string& which, std::string& error) {
  sim::SimForm* form = d.world().ui.FindForm(which.empty() ? kNoteForm : which);
  if (!form || form->design_name() != kNoteForm) {
    error = which.empty() ? "no note window is open (see note open)"
                          : "no note window '" + which + "' is open (see show windows)";
    return nullptr;
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
  sim::SimForm* form = d.world().ui.FindForm(kNoteForm);
  if (!form || !form->visible()) {
    out << "no note window is shown\n";
    return 0;
  }
  out << "note window " << sim::QuotedText(Printable(form->caption())) << " "
      << sim::HandleText(form->handle());
  if (auto window = NoteWindowOf(d, *form))
    out << (window->new_note() ? ", a new note" : ", the item's note");
  out << "\n";
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
  sim::SimForm* form = NoteForm(d, "", error);
  if (!form) return 2;
  size_t defects = d.world().defects().size();
  std::string why;
  if (!d.world().ui.Perform(*form, actions[0], why)) {
    error = "cannot " + actions[0].ToString() + ": " + why;
    return 2;
  }
  out << "note: " << actions[0].ToString() << "\n";
  for (size_t i = defects; i < d.world().defects().size(); ++i)
    out << "DEFECT: " << d.world().defects()[i] << "\n";
  return 0;
}

// A control of the form, read without counting as a call of the add-in's.
template <typename T>
std::shared_ptr<T> Get(sim::SimForm& form, std::string_view name) {
  return std::dynamic_pointer_cast<T>(form.Public(form.Find(name)));
}

int ShowNote(Driver& d, const std::vector<std::string>& args, std::ostream& out,
             std::string& error) {
  if (args.size() > 1) return 2;
  sim::SimForm* form = NoteForm(d, args.empty() ? "" : args[0], error);
  if (!form) return 2;
  sim::FaultInjector::Pause pause(d.world().faults);
  const sim::SimWindowManager& windows = d.world().windows;
  const sim::SimWindowManager::Window* w = windows.Find(form->handle());
  std::shared_ptr<frmComments> window = NoteWindowOf(d, *form);
  out << "note window " << sim::QuotedText(Printable(form->caption())) << " "
      << sim::HandleText(form->handle()) << ": "
      << (form->visible() ? "visible" : "hidden")
      << (windows.active() == form->handle() ? ", active" : "")
      << (w && w->top_most ? ", top-most" : "") << "\n";
  if (window) {
    out << "  state: " << (window->frmState == kEditState ? "edit" : "view") << ", "
        << sim::RectText(form->rect()) << (window->blnOnTop ? ", kept on top" : "")
        << "\n";
    out << "  note: " << (window->new_note() ? "new, untouched" : "saved")
        << (window->save_pending() ? ", a save is pending" : "")
        << (window->text_unread() ? ", its text could not be read (locked)" : "") << "\n";
    out << "  colours: note " << sim::ColourText(window->back_colour()) << ", text "
        << sim::ColourText(window->fore_colour()) << "; font "
        << sim::FontText(window->font()) << "\n";
  }
  if (auto text = Get<ui::TextBox>(*form, "Text"))
    out << "  text: \"" << PrintableLines(text->Text(), "        ") << "\"\n";
  out << "  buttons:";
  int shown = 0;
  for (const auto& control : form->controls()) {
    auto image = std::dynamic_pointer_cast<ui::Image>(form->Public(control.get()));
    if (!image || !control->Shown() || image->PictureKey().empty()) continue;
    out << (shown++ % 4 == 0 ? "\n    " : ", ") << control->name << " "
        << image->PictureKey() << (control->Usable() ? "" : " (disabled)");
  }
  out << (shown ? "\n" : " (none shown)\n");
  auto caption = [&](std::string_view name) {
    auto label = Get<ui::Label>(*form, name);
    return label ? label->Caption() : std::string();
  };
  out << "  footer: " << Printable(caption("lblLastModified")) << " "
      << Printable(caption("lblTime"));
  if (form->Find("lblAttachments") && form->Find("lblAttachments")->Shown())
    out << "; attachments " << Printable(caption("lblAttachments"));
  out << "\n";
  if (window) {
    const sim::SimControlCore* indicator = form->Find("transReminder");
    out << "  reminder: "
        << (window->reminder().empty() ? "none" : Printable(window->reminder()))
        << (indicator && indicator->Shown() ? " (indicator shown)" : "") << "\n";
  }
  auto list = Get<ui::ListBox>(*form, "lstAttachments");
  bool panel = window ? window->panel_shown() : false;
  out << "  attachments panel: " << (panel ? "shown" : "hidden");
  if (list && list->ListCount() > 0) {
    out << ";";
    for (int32_t i = 0; i < list->ListCount(); ++i)
      out << " " << Printable(list->List(i));
  }
  out << "\n";
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
