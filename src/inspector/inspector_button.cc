// The item window's note button: where it goes, its faces, and its click.
#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "explorer/bas_icons.h"
#include "inspector/bas_inspectors.h"
#include "inspector/cls_inspector.h"
#include "store/folder_identity.h"
#include "store/note_link.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

// The base of the Tag of the window's note button (ControlTag).
constexpr const char* kNoteButtonTag = "Pinlet.NoteButton";

}  // namespace

void clsInspector::AddNoteButton(const std::string& caption) {
  RunGuardedSub(ctx_, "clsInspector(Sub AddNoteButton)", [&](Proc& proc) {
    proc.line = 10;
    // A Word-edited mail window of an earlier Outlook gets its buttons from
    // Word's instance, and its bars are Word's: the wrapper holds none of
    // them, so that it never changes Word's bars from here.
    if (Must(fInspector_).EditorType() == ol::kOlEditorWord &&
        HostMajorVersion(ctx_) < kWordButtonsFromVersion)
      return;
    proc.line = 20;
    bar_ = TryGet([&] {
      return Must(fInspector_).CommandBars()->Item(LoadResString(res::kStandard));
    });
    proc.line = 30;
    for (int text : {res::kAddNote, res::kViewNote}) {
      IgnoreError([&] {
        office::CommandBarControlPtr stale =
            Must(bar_).Controls()->Item(LoadResString(text));
        if (stale) stale->Delete();
      });
    }
    proc.line = 40;
    // Outlook started for an item window alone has no main window, and so
    // shows no Deleted Items.
    ol::ExplorerPtr explorer = Must(ctx_.application).ActiveExplorer();
    if (explorer && IsDeletedItemsFolder(ctx_, explorer->CurrentFolder())) return;
    proc.line = 50;
    NoteButtonLook look = NoteButtonLookOf(caption != LoadResString(res::kAddNote));
    office::CommandBarControlPtr button =
        AddCustomButton(ctx_, bar_, ControlTag(ctx_, kNoteButtonTag), look.tooltip, true,
                        office::kButtonIconAndCaption, look.face, caption);
    if (!button) return;
    proc.line = 60;
    cmdNoteButton_.Hold(button, [this](office::CommandBarControlPtr ctrl, bool& cancel) {
      cmdNoteButton_Click(ctrl, cancel);
    });
    SetBtnFace(ctx_, button, look.face, look.mask);
  });
}

void clsInspector::SetNoteButton(bool has_note) {
  if (!cmdNoteButton_.control) return;
  ApplyNoteButtonLook(ctx_, cmdNoteButton_.control, has_note);
  if (!has_note) note_.reset();
}

void clsInspector::cmdNoteButton_Click(const office::CommandBarControlPtr& ctrl, bool&) {
  std::shared_ptr<clsInspector> self = shared_from_this();
  RunGuardedSub(ctx_, "clsInspector(Sub cmdNoteButton_Click)", [&](Proc& proc) {
    proc.line = 10;
    ol::Item& item = Must(item_);
    std::shared_ptr<NoteWindow> window;
    if (Must(ctrl).Caption() != LoadResString(res::kViewNote)) {
      proc.line = 20;
      if (item.EntryID().empty()) {
        std::string question =
            "In order to add a new note to the '" + Must(fInspector_).Caption() +
            "' item,you should first save this item.\n\rWould you like to do that now?";
        int answer = ctx_.platform.message_boxes->Show(
            question, LoadResString(res::kProductName), mb::kYesNo | mb::kSetForeground);
        if (answer != mb::kYes) return;
        proc.line = 30;
        item.Save();
      }
      proc.line = 40;
      window = GetNoteForm(ctx_, item.EntryID(), nullptr, item_);
      note_.reset();
    } else {
      proc.line = 50;
      if (!note_) note_ = FindNoteOf(ctx_, item_).note;
      window = GetNoteForm(ctx_, item.EntryID(), note_, item_);
    }
    proc.line = 60;
    if (window) DisplayNote(ctx_, window);
  });
}

}  // namespace pinlet
