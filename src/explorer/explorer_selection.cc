// Following the window: its selection (the main button, the item's marking,
// the shared note window in one-window mode), its folder and view switches
// (the Filter button, the "Items with Notes" view, the view to return to),
// and the note handed over to a reply or forward.
#include "addin/error_report.h"
#include "addin/session.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "explorer/cls_explorer.h"
#include "store/filter_view.h"
#include "store/folder_identity.h"
#include "store/note_link.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

constexpr const char* kHotmail = "Hotmail";
constexpr const char* kWrongViewMessage =
    "To view the notes properly, please change your view to \"Pinlet\". Click on Help "
    "button for more information.";

// Whether `folder` is the session's default folder `which`, by EntryID and
// StoreID together.
bool IsDefaultFolder(AddinContext& ctx, ol::Folder& folder, int which) {
  // The first look at the session after selecting: a namespace the
  // connection could not take is asked for again here.
  ol::FolderPtr special = Must(ReachNameSpace(ctx)).GetDefaultFolder(which);
  return Must(special).EntryID() == folder.EntryID() &&
         special->StoreID() == folder.StoreID();
}

// Outbox, Drafts and Hotmail folders have no use for the filter.
bool IsSpecialFolder(AddinContext& ctx, ol::Folder& folder) {
  if (IsDefaultFolder(ctx, folder, ol::kFolderOutbox) ||
      IsDefaultFolder(ctx, folder, ol::kFolderDrafts))
    return true;
  if (folder.Name() == kHotmail) return true;
  ol::FolderPtr parent = folder.Parent();
  return parent && parent->Name() == kHotmail;
}

// Gives the folder an "Items with Notes" view when it has none.
void EnsureFilterView(ol::Folder& folder) {
  ol::ViewsPtr views = folder.Views();
  int count = views->Count();
  for (int i = 1; i <= count; ++i)
    if (views->Item(i)->Name() == kFilterViewName) return;
  ol::ViewPtr view = views->Add(kFilterViewName, ol::kOlTableView, 0);
  view->SetXML(WithFilterClause(view->XML()));
  view->Save();
}

// Whether the note already names `folder_name` and `folder_path` as its
// parent's place (a document note's fields are compared by the writer).
bool ParentFolderRecorded(const ol::ItemPtr& note, const std::string& folder_name,
                          const std::string& folder_path) {
  if (note->Class() == ol::kDocument) return false;
  ol::UserPropertiesPtr props = note->UserProperties();
  auto value = [&](int id) {
    ol::UserPropertyPtr prop = props->Find(LoadResString(id));
    return prop ? std::optional<std::string>(ToText(prop->Value())) : std::nullopt;
  };
  return value(res::kZpnFolder) == folder_name && value(res::kFolderPath) == folder_path;
}

}  // namespace

void clsExplorer::HideLastNoteWindow() {
  if (!ctx_.note_windows || ctx_.note_windows->empty()) return;
  std::shared_ptr<NoteWindow> window = ctx_.note_windows->back();
  IgnoreError(
      [&] { ctx_.platform.window_manager->ShowWindow(window->hwnd(), sw::kHide); });
}

void clsExplorer::m_objExplorer_SelectionChange() {
  RunGuardedSub(ctx_, "clsExplorer(Sub m_objExplorer_SelectionChange)", [&](Proc& proc) {
    if (ctx_.item_update) return;
    proc.line = 10;
    ol::FolderPtr folder = Must(m_objExplorer_).CurrentFolder();
    if (IsDeletedItemsFolder(ctx_, folder)) return;

    // From here each failing step is passed by.
    ol::SelectionPtr selection;
    int count = 0;
    if (!IgnoreError([&] {
          selection = m_objExplorer_->Selection();
          count = Must(selection).Count();
        }))
      return;
    if (count == 0) {
      HideLastNoteWindow();
      // The next item selected is handled even when it was the last one.
      selected_entry_id_ = std::string(1, '\0');
      ChangeCaption(cmdNewNote_.control);
      return;
    }
    ol::ItemPtr item = TryGet([&] { return selection->Item(1); });
    if (!ctx_.note_refresh) {
      std::string entry_id;
      if (!IgnoreError([&] { entry_id = Must(item).EntryID(); })) return;
      if (entry_id == selected_entry_id_) return;
      selected_entry_id_ = entry_id;
    }
    bool in_notes_folder = false;
    if (!IgnoreError([&] { in_notes_folder = IsNotesFolder(ctx_, folder); })) return;
    if (in_notes_folder) {
      // A note is selected: its parent's place is recorded on it, so that
      // it stays true after the user moved the parent.
      IgnoreError([&] {
        ol::ItemPtr parent = FindItemOf(ctx_, item).item;
        ol::FolderPtr parent_folder = Must(parent).Parent();
        std::string name = Must(parent_folder).Name();
        std::string path = parent_folder->FolderPath();
        if (!ParentFolderRecorded(item, name, path))
          SetNoteParentItemFolder(ctx_, item, name, path);
      });
      return;
    }
    ChangeCaption(cmdNewNote_.control);
    if (!ReadCheck(ctx_.registry(), kNoteKey, "NotesInOneWindow") || !ctx_.note_windows ||
        ctx_.note_windows->empty())
      return;
    // One-window mode: the shared window follows the selection.
    std::string entry_id = TryGet([&] { return Must(item).EntryID(); });
    if (ol::ItemPtr note = FindNoteOf(ctx_, item).note) {
      IgnoreError([&] { DisplayNote(ctx_, GetNoteForm(ctx_, entry_id, note, item)); });
    } else {
      HideLastNoteWindow();
    }
    // The keyboard stays in the list of items.
    IgnoreError([&] {
      ActivateWindowByTitle(*ctx_.platform.window_manager, m_objExplorer_->Caption());
    });
  });
}

void clsExplorer::m_objExplorer_FolderSwitch() {
  RunGuardedSub(ctx_, "clsExplorer(Sub m_objExplorer_FolderSwitch)",
                [&](Proc&) { FolderChanged(); });
}

void clsExplorer::m_objExplorer_BeforeFolderSwitch(const ol::FolderPtr& new_folder,
                                                   bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub m_objExplorer_BeforeFolderSwitch)",
                [&](Proc& proc) {
                  proc.line = 10;
                  if (Must(m_objExplorer_).CurrentView() == kFilterViewName)
                    Filter_Off(ctx_, m_objExplorer_);
                  proc.line = 20;
                  ol::Folder& folder = Must(new_folder);
                  std::string view = Must(folder.CurrentView()).Name();
                  // The notes folder shows its notes properly only in its
                  // own view, named as the folder was made.
                  const std::string product = LoadResString(res::kProductName);
                  office::CommandBarControl* filter = cmdFilter_.control.get();
                  if (view != product && IsNotesFolder(ctx_, new_folder)) {
                    ShowMessage(ctx_, kWrongViewMessage, mb::kOkOnly | mb::kHelpButton);
                  } else if (view != kFilterViewName) {
                    proc.line = 30;
                    if (IsSpecialFolder(ctx_, folder)) {
                      if (filter) filter->SetVisible(false);
                    } else {
                      if (filter) filter->SetVisible(true);
                      if (filter) filter->SetState(office::kButtonUp);
                      proc.line = 40;
                      EnsureFilterView(folder);
                    }
                  }
                  if (view == kFilterViewName && filter) {
                    filter->SetVisible(true);
                    filter->SetState(office::kButtonDown);
                  }
                });
}

void clsExplorer::m_objExplorer_BeforeViewSwitch(const std::string& new_view, bool&) {
  RunGuardedSub(ctx_, "clsExplorer(Sub  m_objExplorer_BeforeViewSwitch)", [&](Proc&) {
    std::string current = Must(m_objExplorer_).CurrentView();
    office::CommandBarControl* filter = cmdFilter_.control.get();
    if (current == kFilterViewName && new_view != kFilterViewName) {
      if (filter) filter->SetState(office::kButtonUp);
    } else if (new_view == kFilterViewName) {
      if (filter) filter->SetState(office::kButtonDown);
    } else {
      // The view the filter returns to in this folder.
      WriteText(ctx_.registry(), kFoldersKey,
                Must(m_objExplorer_->CurrentFolder()).EntryID(), new_view);
    }
  });
}

void clsExplorer::FindNoteBody(const office::WindowPtr& source) {
  RunGuardedSub(ctx_, "clsExplorer(Sub FindNoteBody)", [&](Proc&) {
    // Every bar answers its window as Parent, menus included, so the source
    // is the main window or the item window itself.
    ol::ItemPtr item;
    Must(source);
    auto explorer = std::dynamic_pointer_cast<ol::Explorer>(source);
    auto inspector = std::dynamic_pointer_cast<ol::Inspector>(source);
    if (explorer && explorer->Class() == ol::kExplorerObject) {
      ol::SelectionPtr selection = explorer->Selection();
      if (selection->Count() == 0) return;
      item = selection->Item(1);
    } else if (inspector && inspector->Class() == ol::kInspectorObject) {
      item = inspector->CurrentItem();
    } else {
      return;
    }
    ol::ItemPtr note = FindNoteOf(ctx_, item).note;
    if (!note) return;
    ctx_.handover_note = note;
    ctx_.handover_item = item;
    ctx_.handover = true;
  });
}

}  // namespace pinlet
