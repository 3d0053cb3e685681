// Keeps a simulated mailbox in a JSON file between runs of the pinlet command.
//
// Everything the object model can see is kept: stores with their identifiers,
// the folder tree with views and user fields, items with their class,
// subject, EntryID, modification time, user properties, class members, MAPI
// properties and attachments. A value is text, a number, true or false, null,
// or {"date": N} for a date (N the host's date value).
//
// Loading reads the file once, in time linear in its size, keeping in memory
// only the mailbox and the item being read. It refuses a malformed file as a
// whole, naming where it is wrong and what was expected
// ("stores[0].root.folders[2].items[5].class: expected a 32-bit whole number"):
// JSON syntax, invalid UTF-8, a duplicate key, nesting deeper than
// kMaxJsonDepth or folders deeper than kMaxFolderDepth, a missing or
// wrongly typed member, numbers that do not fit (a class or MAPI tag over 32
// bits), dates outside the host's range (years 100 to 9999), a duplicate
// EntryID or StoreID, and identifiers whose counter leaves no room for new ones
// ("next_id" must be from 1 to MailStore::kMaxIdCounter; a smaller one than the
// identifiers in use is repaired by counting on after them).
//
// Saving writes nothing the loader would not read back as it was: a mailbox
// holding a folder nested too deep, a date outside the host's range or a
// number that is not finite is refused, and the file is kept as it was. The
// file is written through a temporary file (see real_files.h).
#ifndef PINLET_SIM_MACHINE_MAILBOX_JSON_H_
#define PINLET_SIM_MACHINE_MAILBOX_JSON_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {

// Folders below a store's root folder may be nested this deep.
inline constexpr size_t kMaxFolderDepth = 100;
// JSON nesting deeper than this is refused (the deepest folders need 2 levels
// each, their items and values a few more).
inline constexpr size_t kMaxJsonDepth = 2 * kMaxFolderDepth + 16;

// The mailbox as JSON text; false with `error` when it holds what the file
// cannot keep (see above).
bool MailboxToJson(const MailStore& store, std::string& json, std::string* error);
// Replaces `store` with the mailbox in `text`; on error `store` is unchanged.
bool MailboxFromJson(std::string_view text, MailStore& store, std::string* error);

// The file round trip. `error` starts with the path; a failed save keeps the
// old file, a failed load changes nothing.
bool SaveMailbox(const MailStore& store, const std::string& path, std::string* error);
bool LoadMailbox(const std::string& path, MailStore& store, std::string* error);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_MAILBOX_JSON_H_
