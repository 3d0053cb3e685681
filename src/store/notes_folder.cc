#include "store/notes_folder.h"

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "store/filter_view.h"
#include "store/note_property.h"

namespace pinlet {
namespace {

// Whether `folder` lies inside the default store's Deleted Items. A notes
// folder there is not used: its notes would be lost when the user empties it.
bool InDeletedItems(AddinContext& ctx, const ol::FolderPtr& folder) {
  bool inside = false;
  IgnoreError([&] {
    std::string deleted =
        Must(ctx.name_space).GetDefaultFolder(ol::kFolderDeletedItems)->EntryID();
    for (ol::FolderPtr f = Must(folder).Parent(); f; f = f->Parent())
      if (f->EntryID() == deleted) inside = true;
  });
  return inside;
}

}  // namespace

ol::FolderPtr NotesFolder(AddinContext& ctx) {
  Registry& reg = ctx.registry();
  std::string entry_id = ReadText(reg, kFoldersKey, "EntryID");
  std::string store_id = ReadText(reg, kFoldersKey, "StoreID");
  ol::FolderPtr folder;
  if (!entry_id.empty() && !store_id.empty())
    IgnoreError(
        [&] { folder = Must(ctx.name_space).GetFolderFromID(entry_id, store_id); });
  if (!folder && !entry_id.empty())
    IgnoreError([&] { folder = Must(ctx.name_space).GetFolderFromID(entry_id); });
  if (folder && InDeletedItems(ctx, folder)) folder.reset();
  if (!folder) {
    IgnoreError([&] {
      folder = Must(ctx.name_space)
                   .GetDefaultFolder(ol::kFolderNotes)
                   ->Folders()
                   ->Item(LoadResString(res::kProductName));
    });
    if (!folder) folder = SearchNotesFolder(ctx);
  }
  if (!folder) folder = CreatePinletFolder(ctx);
  IgnoreError([&] { WriteText(reg, kFoldersKey, "EntryID", Must(folder).EntryID()); });
  IgnoreError([&] { WriteText(reg, kFoldersKey, "StoreID", Must(folder).StoreID()); });
  return folder;
}

ol::FolderPtr SearchNotesFolder(AddinContext& ctx) {
  return RunGuarded(ctx, "basMainProc(Function SearchNotesFolder)", ol::FolderPtr(),
                    [&](Proc&) -> ol::FolderPtr {
                      auto roots = Must(ctx.name_space).Folders();
                      int count = roots->Count();
                      for (int i = 1; i <= count; ++i) {
                        ol::FolderPtr found = CheckFolderName(
                            ctx, roots->Item(i), LoadResString(res::kProductName));
                        if (found && !InDeletedItems(ctx, found)) return found;
                      }
                      return nullptr;
                    });
}

ol::FolderPtr CheckFolderName(AddinContext& ctx, const ol::FolderPtr& folder,
                              const std::string& name) {
  return RunGuarded(ctx, "basMainProc(Function CheckFolderName)", ol::FolderPtr(),
                    [&](Proc&) -> ol::FolderPtr {
                      auto subfolders = Must(folder).Folders();
                      int count = subfolders->Count();
                      for (int i = 1; i <= count; ++i) {
                        if (auto found = CheckFolderName(ctx, subfolders->Item(i), name))
                          return found;
                      }
                      return folder->Name() == name ? folder : nullptr;
                    });
}

ol::FolderPtr CreatePinletFolder(AddinContext& ctx) {
  return RunGuarded(ctx, "basExplorers(Function CreatePinletFolder)", ol::FolderPtr(),
                    [&](Proc& proc) -> ol::FolderPtr {
                      proc.line = 10;
                      ol::FolderPtr folder =
                          Must(ctx.name_space)
                              .GetDefaultFolder(ol::kFolderNotes)
                              ->Folders()
                              ->Add(LoadResString(res::kProductName), ol::kFolderInbox);
                      // A temporary post defines the folder's fields.
                      proc.line = 20;
                      ol::ItemPtr temporary = folder->Items()->Add(ol::kPostItem);
                      auto props = temporary->UserProperties();
                      for (int id : {res::kItemNumber, res::kType, res::kZpnFolder,
                                     res::kFolderPath, res::kZpnFullBody})
                        props->Add(LoadResString(id), ol::kOlText, true);
                      temporary->Delete();
                      proc.line = 30;
                      LoadView(ctx, folder, "Pinlet", "PNX.xml");
                      return folder;
                    });
}

ol::ItemPtr FindNote(AddinContext& ctx, const std::string& parent_entry_id) {
  if (parent_entry_id.empty()) return nullptr;
  ol::FolderPtr folder = NotesFolder(ctx);
  if (!folder) return nullptr;
  return TryGet([&] { return folder->Items()->Item(parent_entry_id); });
}

void SetNoteParentItemFolder(AddinContext& ctx, const ol::ItemPtr& note,
                             const std::string& folder_name,
                             const std::string& folder_path) {
  std::pair<int, const std::string*> writes[] = {{res::kZpnFolder, &folder_name},
                                                 {res::kFolderPath, &folder_path}};
  for (auto& [id, value] : writes) {
    IgnoreError([&, id = id, value = value] {
      std::string name = LoadResString(id);
      if (note->Class() == ol::kDocument) {
        if (ReadField(CdoMessageOf(ctx, note), name) == *value) return;
      }
      WriteNoteProperty(ctx, note, name, *value);
    });
  }
}

NewNote AddNewNoteItem(AddinContext& ctx, const ol::ItemPtr& parent) {
  NewNote result;
  std::shared_ptr<RdoSession> rdo;
  ol::ItemsPtr items;
  ol::ItemPtr created;
  std::string title;
  std::string parent_id;
  IgnoreError([&] {
    rdo = ctx.platform.objects->CreateRdoSession();
    rdo->AttachToOutlook();
  });
  IgnoreError([&] {
    items = Must(Must(rdo).GetFolderFromID(Must(NotesFolder(ctx)).EntryID())).Items();
  });
  if (parent) {
    IgnoreError([&] { parent_id = parent->EntryID(); });
    // An item that was never saved has no EntryID to link a note to.
    if (parent_id.empty()) return result;
  }
  IgnoreError([&] {
    if (!parent) {
      created = Must(items).Add(std::string_view("IPM.Post"));
      return;
    }
    int cls = parent->Class();
    std::string message_class = NoteMessageClass(cls);
    if (message_class.empty()) return;
    created = Must(items).Add(std::string_view(message_class));
    title = ToText(cls == ol::kContact ? parent->Get("FullName")
                                       : Variant(parent->Subject()));
  });
  if (!parent) return result;
  if (!created) return result;
  if (!FindNote(ctx, parent_id)) {
    IgnoreError([&] {
      created->SetSubject(parent_id);
      created->Save();
    });
  }
  result.note = FindNote(ctx, parent_id);
  if (!result.note) return result;
  IgnoreError(
      [&] { WriteNoteProperty(ctx, result.note, LoadResString(res::kZpnTitle), title); });
  result.caption = LoadResString(res::kSubject) + ": " + title;
  IgnoreError([&] {
    ol::FolderPtr folder = parent->Parent();
    SetNoteParentItemFolder(ctx, result.note, Must(folder).Name(), folder->FolderPath());
  });
  return result;
}

}  // namespace pinlet
