#include "store/notes_folder.h"

#include <functional>

#include "addin/error_report.h"
#include "addin/helper_libraries.h"
#include "addin/session.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "store/filter_view.h"
#include "store/folder_identity.h"
#include "store/note_link.h"
#include "store/note_property.h"

namespace pinlet {
namespace {

constexpr std::string_view kDeletedItemsName = "Deleted Items";

// Whether `folder` is the Deleted Items folder of its store: the default
// store's by its identity, any other store's by the place and name Outlook
// gives it (a top-level folder "Deleted Items").
bool IsDeletedItems(AddinContext& ctx, const ol::FolderPtr& folder) {
  bool deleted = false;
  IgnoreError([&] {
    std::string id = Must(folder).EntryID();
    IgnoreError([&] {
      deleted =
          Must(ctx.name_space).GetDefaultFolder(ol::kFolderDeletedItems)->EntryID() == id;
    });
    if (!deleted) {
      ol::FolderPtr parent = folder->Parent();
      deleted = parent && !parent->Parent() && folder->Name() == kDeletedItemsName;
    }
  });
  return deleted;
}

// Whether `folder` lies inside the Deleted Items of its store. A notes folder
// there is not used: its notes would be lost when the user empties it.
bool InDeletedItems(AddinContext& ctx, const ol::FolderPtr& folder) {
  bool inside = false;
  IgnoreError([&] {
    for (ol::FolderPtr f = Must(folder).Parent(); f && !inside; f = f->Parent())
      inside = IsDeletedItems(ctx, f);
  });
  return inside;
}

// How a lookup of the cached folder went: found, gone for good (the host
// said "not found"), or not known this time (any other failure).
enum class CachedLookup { kFound, kGone, kUnknown };

CachedLookup LookUpCached(const std::function<ol::FolderPtr()>& lookup,
                          ol::FolderPtr& folder) {
  std::optional<HostError> error = Attempt([&] { folder = lookup(); });
  if (!error) return folder ? CachedLookup::kFound : CachedLookup::kGone;
  return error->number() == errors::kNotFound || error->number() == errors::kObjectDeleted
             ? CachedLookup::kGone
             : CachedLookup::kUnknown;
}

}  // namespace

ol::FolderPtr NotesFolder(AddinContext& ctx) {
  // A namespace the connection could not take is asked for again.
  ReachNameSpace(ctx);
  Registry& reg = ctx.registry();
  std::optional<Variant> cached_entry = ReadValueIfReadable(reg, kFoldersKey, "EntryID");
  std::optional<Variant> cached_store = ReadValueIfReadable(reg, kFoldersKey, "StoreID");
  // A cache that cannot be read says nothing: no folder this time, and the
  // cache stays as it is.
  if (!cached_entry || !cached_store) return nullptr;
  std::string entry_id = ToText(*cached_entry);
  std::string store_id = ToText(*cached_store);
  ol::FolderPtr folder;
  CachedLookup lookup = CachedLookup::kGone;
  if (!entry_id.empty() && !store_id.empty())
    lookup = LookUpCached(
        [&] { return Must(ctx.name_space).GetFolderFromID(entry_id, store_id); }, folder);
  if (lookup == CachedLookup::kGone && !entry_id.empty())
    lookup = LookUpCached([&] { return Must(ctx.name_space).GetFolderFromID(entry_id); },
                          folder);
  // Only a folder that is really gone is replaced; after any other failure
  // the callers see no folder (no note) this time, and nothing is orphaned.
  if (lookup == CachedLookup::kUnknown) return nullptr;
  if (folder && InDeletedItems(ctx, folder)) folder.reset();
  if (!folder) {
    IgnoreError([&] {
      folder = Must(ctx.name_space)
                   .GetDefaultFolder(ol::kFolderNotes)
                   ->Folders()
                   ->Item(LoadResString(res::kProductName));
    });
    if (folder && InDeletedItems(ctx, folder)) folder.reset();
    if (!folder) folder = SearchNotesFolder(ctx);
  }
  if (!folder) folder = CreatePinletFolder(ctx);
  if (!folder) return nullptr;
  std::string new_entry, new_store;
  IgnoreError([&] {
    new_entry = folder->EntryID();
    new_store = folder->StoreID();
  });
  // The identifiers of a folder that was replaced are kept, so that its
  // notes can be found again.
  if (!entry_id.empty() && entry_id != new_entry) {
    WriteText(reg, kFoldersKey, "OldEntryID", entry_id);
    WriteText(reg, kFoldersKey, "OldStoreID", store_id);
  }
  if (!new_entry.empty()) WriteText(reg, kFoldersKey, "EntryID", new_entry);
  if (!new_store.empty()) WriteText(reg, kFoldersKey, "StoreID", new_store);
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
                        if (found) return found;
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
                        // What lies in Deleted Items is not searched: the
                        // search goes on with the rest of the store.
                        ol::FolderPtr subfolder = subfolders->Item(i);
                        if (IsDeletedItems(ctx, subfolder)) continue;
                        if (auto found = CheckFolderName(ctx, subfolder, name))
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

NoteSearch LookUpNote(AddinContext& ctx, const std::string& parent_entry_id) {
  NoteSearch search;
  if (parent_entry_id.empty()) {
    search.result = NoteLookup::kAbsent;
    return search;
  }
  ol::FolderPtr folder = NotesFolder(ctx);
  if (!folder) return search;
  ol::ItemsPtr items = TryGet([&] { return folder->Items(); });
  if (!items) return search;
  std::optional<HostError> error =
      Attempt([&] { search.note = items->Item(parent_entry_id); });
  if (error && error->number() != errors::kNotFound) return search;
  search.result = search.note ? NoteLookup::kFound : NoteLookup::kAbsent;
  return search;
}

ol::ItemPtr FindNote(AddinContext& ctx, const std::string& parent_entry_id) {
  return LookUpNote(ctx, parent_entry_id).note;
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
  ol::FolderPtr notes_folder;
  std::string title;
  std::string parent_id;
  bool no_redemption = false;
  rdo = TryCreate([&] { return Must(ctx.platform.objects).CreateRdoSession(); },
                  no_redemption);
  IgnoreError([&] { Must(rdo).AttachToOutlook(); });
  IgnoreError([&] { notes_folder = NotesFolder(ctx); });
  result.folder_reached = notes_folder != nullptr;
  IgnoreError([&] {
    items = Must(Must(rdo).GetFolderFromID(Must(notes_folder).EntryID())).Items();
  });
  // Without Redemption the note is made in Outlook's own folder object,
  // which creates items of every class a note takes just as well.
  if (!items && no_redemption) IgnoreError([&] { items = Must(notes_folder).Items(); });
  if (parent) IgnoreError([&] { parent_id = parent->EntryID(); });
  // An item that was never saved has no EntryID to link a note to, and an
  // item of the notes folder is a note itself; an item whose folder cannot
  // be told gets no note this time.
  bool linkable = !parent || !parent_id.empty();
  if (parent && linkable)
    linkable = TryGet([&] { return !SameFolder(Must(parent->Parent()), Must(notes_folder)); });
  if (linkable) {
    IgnoreError([&] {
      if (!parent) {
        result.new_item = Must(items).Add(std::string_view("IPM.Post"));
        return;
      }
      int cls = parent->Class();
      std::string message_class = NoteMessageClass(cls);
      if (message_class.empty()) return;
      // A document note keeps its properties through CDO; without CDO it is
      // made as a post, which keeps them through Outlook's object model.
      if (cls == ol::kDocument && !CdoInstalled(ctx))
        message_class = NoteMessageClass(ol::kPost);
      result.new_item = Must(items).Add(std::string_view(message_class));
      title = ToText(cls == ol::kContact ? parent->Get("FullName")
                                         : Variant(parent->Subject()));
    });
  }
  if (parent && result.new_item) {
    result.note = FindNoteOf(ctx, parent).note;
    if (result.note) {
      // The parent has a note already: that note is the window's, and the
      // item just created is never linked or saved.
      result.existed = true;
      result.new_item.reset();
    } else {
      bool saved = IgnoreError([&] {
        result.new_item->SetSubject(parent_id);
        result.new_item->Save();
      });
      result.note = FindNote(ctx, parent_id);
      // When the note just saved cannot be looked up again, it is still the
      // note: the window keeps it rather than leave a saved note unreachable.
      if (!result.note && saved) result.note = result.new_item;
    }
  }
  if (result.note && !result.existed) {
    IgnoreError([&] {
      WriteNoteProperty(ctx, result.note, LoadResString(res::kZpnTitle), title);
    });
  }
  result.caption = LoadResString(res::kSubject) + ": " + title;
  if (result.note && !result.existed) {
    IgnoreError([&] {
      ol::FolderPtr folder = parent->Parent();
      SetNoteParentItemFolder(ctx, result.note, Must(folder).Name(),
                              folder->FolderPath());
    });
  }
  return result;
}

}  // namespace pinlet
