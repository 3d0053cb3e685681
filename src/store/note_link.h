// The link between a note and its item, both ways, kept through moves.
//
// A note names its item by the item's EntryID, written as the note's
// Subject, which is how earlier versions and the notes folder's own view
// find it. Outlook changes an item's EntryID when the item moves to another
// store (AutoArchive, a drag to a .pst), on every move inside an Exchange
// mailbox, and when a mailbox is exported and imported into a new profile.
// So a note also keeps a key that its item carries as well, the text user
// property "ZPNKey". User properties travel with the item in each of those
// cases, on Outlook 2002 and 2003, with or without the helper libraries;
// the item's search key (PR_SEARCH_KEY) would too, but Outlook's own object
// model cannot read it before Outlook 2007, so it would leave the notes of
// a machine without Redemption unlinked. The key is the EntryID the item
// had when the key was given: unique, and needing nothing more of the host.
//
// Every road from an item to its note (the selection and its button,
// one-window mode, the context menu, item windows, the reply and forward
// hand-over, the sharing product) goes through FindNoteOf, and every road
// from a note to its item (opening it, its reminder, printing) through
// FindItemOf.
#ifndef PINLET_STORE_NOTE_LINK_H_
#define PINLET_STORE_NOTE_LINK_H_

#include <string>

#include "addin/context.h"
#include "store/notes_folder.h"

namespace pinlet {

constexpr const char* kKeyProperty = "ZPNKey";
// The StoreID of the item's folder, so that the item is opened in its own
// store: Outlook finds an item by EntryID alone only in the default store.
constexpr const char* kStoreIdProperty = "ZPNStoreID";

// The note of `item`. First by the item's EntryID. When that finds none
// and the item is marked as having a note and carries a key, by the key,
// with one indexed Items.Find on the notes folder: a note whose recorded
// item no longer exists is relinked to `item` (its Subject becomes the
// item's EntryID, its store and folder follow) and found; a note whose
// recorded item still exists belongs to that item, so `item` is a copy and
// has no note. A note found by EntryID that has no key yet gets one.
// kUnknown when the host failed on the way; a failed relink leaves the note
// as it was. The host calls made do not grow with the number of notes.
NoteSearch FindNoteOf(AddinContext& ctx, const ol::ItemPtr& item);

// What looking for a note's item found.
struct ItemSearch {
  ol::ItemPtr item;   // where it is now
  bool gone = false;  // the host answered that there is no such item
};
// The item of `note`: by the EntryID and StoreID the note records; a note
// that records no store (written before stores were recorded) is looked
// for in the default store, then in every other store.
ItemSearch FindItemOf(AddinContext& ctx, const ol::ItemPtr& note);

// Makes sure `note` and its item `item` carry the same key, and that the
// note records the item's store: a note without a key gets the item's
// EntryID as its key, and an item without its note's key gets it. Called
// when a note is made or first changed, and when an item's note is found by
// EntryID. Errors ignored: what could not be written is written next time.
void KeepLink(AddinContext& ctx, const ol::ItemPtr& item, const ol::ItemPtr& note);

}  // namespace pinlet

#endif  // PINLET_STORE_NOTE_LINK_H_
