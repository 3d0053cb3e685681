#include "store/note_link.h"

#include <optional>

#include "addin/string_table.h"
#include "platform/host_error.h"
#include "store/item_markers.h"
#include "store/note_property.h"
#include "store/note_windows.h"
#include "store/parent_marking.h"

namespace pinlet {
namespace {

// One text property of a note, as ReadNoteProperties reads it.
NoteRead ReadNoteText(AddinContext& ctx, const ol::ItemPtr& note, const char* name) {
  const std::string names[] = {name};
  return ReadNoteProperties(ctx, note, names).front();
}

// A filter for Items.Find that matches `value` exactly in a text field.
std::string EqualsFilter(const char* field, const std::string& value) {
  std::string quoted;
  for (char c : value) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return std::string("[") + field + "] = '" + quoted + "'";
}

// Where the item of a note lies: the folder's store, name and path.
struct Place {
  std::string store_id, name, path;
};
std::optional<Place> PlaceOf(const ol::ItemPtr& item) {
  Place place;
  if (!IgnoreError([&] {
        ol::FolderPtr folder = item->Parent();
        place.store_id = Must(folder).StoreID();
        place.name = folder->Name();
        place.path = folder->FolderPath();
      }))
    return std::nullopt;
  return place;
}

// Whether the item the note names (by its recorded EntryID and store) is
// still there.
enum class Recorded { kExists, kGone, kUnknown };
Recorded RecordedItem(AddinContext& ctx, const ol::ItemPtr& note) {
  ItemSearch found = FindItemOf(ctx, note);
  if (found.item) return Recorded::kExists;
  return found.gone ? Recorded::kGone : Recorded::kUnknown;
}

// Points `note` at `item`, whose EntryID is `entry_id`: the Subject, the
// store and the folder, stored with one Save (a document note: its Subject
// saved, then its fields updated). A window that shows the note under the
// item's old EntryID is closed first, saving what it holds, so that no
// window keeps the note under a link that no longer holds. Raises on
// failure, with nothing of the link stored.
void Relink(AddinContext& ctx, const ol::ItemPtr& note, const ol::ItemPtr& item,
            const std::string& entry_id) {
  std::optional<Place> place = PlaceOf(item);
  if (!place) throw ObjectRequiredError();
  std::string old_id = note->Subject();
  if (!old_id.empty() && NoteFormExists(ctx, old_id)) CloseNote(ctx, old_id);
  note->SetSubject(entry_id);
  if (note->Class() == ol::kDocument) note->Save();
  const NoteValue values[] = {{kStoreIdProperty, place->store_id},
                              {LoadResString(res::kZpnFolder), place->name},
                              {LoadResString(res::kFolderPath), place->path}};
  WriteNoteProperties(ctx, note, values);
}

// The note whose key is the one `item` carries, for an item that is marked
// as having a note which its EntryID did not find.
NoteSearch FindByKey(AddinContext& ctx, const ol::ItemPtr& item,
                     const std::string& entry_id) {
  NoteSearch search;
  Markers markers(ctx, item);
  std::optional<std::string> marked, key;
  // What could not be read is not known to be absent.
  if (!markers.Read(kHasNoteProperty, marked)) return search;
  search.result = NoteLookup::kAbsent;
  if (marked != "TRUE") return search;
  search.result = NoteLookup::kUnknown;
  if (!markers.Read(kKeyProperty, key)) return search;
  search.result = NoteLookup::kAbsent;
  if (!key || key->empty()) return search;
  search.result = NoteLookup::kUnknown;
  ol::FolderPtr folder = NotesFolder(ctx);
  if (!folder) return search;
  ol::ItemPtr note;
  if (!IgnoreError(
          [&] { note = Must(folder->Items()).Find(EqualsFilter(kKeyProperty, *key)); }))
    return search;
  if (!note) {
    search.result = NoteLookup::kAbsent;
    return search;
  }
  switch (RecordedItem(ctx, note)) {
    case Recorded::kUnknown:
      return search;
    case Recorded::kExists:
      // The note's own item is still there: this one is a copy of it.
      search.result = NoteLookup::kAbsent;
      return search;
    case Recorded::kGone:
      break;
  }
  if (!IgnoreError([&] { Relink(ctx, note, item, entry_id); })) return search;
  search.result = NoteLookup::kFound;
  search.note = note;
  return search;
}

// The item found at `entry_id` in the store `store_id` ("" for the
// default store); `gone` when the host answered that there is none there.
ol::ItemPtr ItemAt(AddinContext& ctx, const std::string& entry_id,
                   const std::string& store_id, bool& gone) {
  ol::ItemPtr item;
  std::optional<HostError> error =
      Attempt([&] { item = Must(ctx.name_space).GetItemFromID(entry_id, store_id); });
  gone = error && error->number() == errors::kNotFound;
  return item;
}

// One try of KeepLink: the note first (its key and its item's store), then
// the item, so that an item never carries a key that no note has. False
// when a step failed.
bool LinkOnce(AddinContext& ctx, const ol::ItemPtr& item, const ol::ItemPtr& note) {
  NoteRead note_key = ReadNoteText(ctx, note, kKeyProperty);
  if (!note_key.found() && !note_key.absent()) return false;
  std::string key = note_key.value;
  if (!note_key.found() || key.empty()) {
    std::optional<Place> place = PlaceOf(item);
    if (!place || !IgnoreError([&] { key = item->EntryID(); }) || key.empty())
      return false;
    const NoteValue values[] = {{kKeyProperty, key}, {kStoreIdProperty, place->store_id}};
    if (!IgnoreError([&] { WriteNoteProperties(ctx, note, values); })) return false;
  }
  Markers markers(ctx, item);
  std::optional<std::string> item_key = markers.Read(kKeyProperty);
  if (item_key == key) return true;
  ItemUpdateScope updating(ctx);
  markers.Write(kKeyProperty, key.c_str(), item_key.has_value());
  return markers.Save() && markers.Read(kKeyProperty) == key;
}

}  // namespace

NoteSearch FindNoteOf(AddinContext& ctx, const ol::ItemPtr& item) {
  NoteSearch search;
  std::string entry_id;
  if (!item || !IgnoreError([&] { entry_id = item->EntryID(); })) return search;
  search = LookUpNote(ctx, entry_id);
  if (search.result == NoteLookup::kFound) {
    KeepLink(ctx, item, search.note);
    return search;
  }
  if (search.result == NoteLookup::kUnknown || entry_id.empty()) return search;
  return FindByKey(ctx, item, entry_id);
}

ItemSearch FindItemOf(AddinContext& ctx, const ol::ItemPtr& note) {
  ItemSearch search;
  std::string entry_id;
  if (!note || !IgnoreError([&] { entry_id = note->Subject(); })) return search;
  if (entry_id.empty()) {
    search.gone = true;
    return search;
  }
  NoteRead store = ReadNoteText(ctx, note, kStoreIdProperty);
  if (store.found() && !store.value.empty()) {
    search.item = ItemAt(ctx, entry_id, store.value, search.gone);
    return search;
  }
  search.item = ItemAt(ctx, entry_id, "", search.gone);
  if (search.item || !search.gone) return search;
  // Written before stores were recorded: the item may be in any store.
  ol::FoldersPtr stores = TryGet([&] { return Must(ctx.name_space).Folders(); });
  int count = stores ? TryGet([&] { return stores->Count(); }) : 0;
  if (count == 0) search.gone = false;  // the stores could not be listed
  for (int i = 1; i <= count && !search.item; ++i) {
    std::string store_id = TryGet([&] { return Must(stores->Item(i)).StoreID(); });
    bool gone_there = false;
    if (!store_id.empty()) search.item = ItemAt(ctx, entry_id, store_id, gone_there);
    // Gone only when every store said so.
    if (!gone_there) search.gone = false;
  }
  return search;
}

void KeepLink(AddinContext& ctx, const ol::ItemPtr& item, const ol::ItemPtr& note) {
  if (!item || !note) return;
  // Every step is done again when the first try failed on the way: the
  // link is what finds the note once the item has moved.
  if (!LinkOnce(ctx, item, note)) LinkOnce(ctx, item, note);
}

}  // namespace pinlet
