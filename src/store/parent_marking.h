// Marking the items that carry notes.
//
// An item with a note gets the text user property "ZPNHasNote" = "TRUE"
// ("FALSE" once its note is removed) and, when the user asked for it with
// "MarkWithFlag", an Outlook follow-up flag "Item with note" in the colour
// "FlagIndex", remembered by "ZPNFlag" = "TRUE" so that only the add-in's own
// flag is ever removed again. A flag the user set stays untouched unless
// "OverwriteFlag" is on. Items without flag members (everything but mail)
// are flagged through the MAPI helper library.
#ifndef PINLET_STORE_PARENT_MARKING_H_
#define PINLET_STORE_PARENT_MARKING_H_

#include <cstdint>

#include "addin/context.h"

namespace pinlet {

constexpr const char* kHasNoteProperty = "ZPNHasNote";
constexpr const char* kFlagProperty = "ZPNFlag";
constexpr const char* kFlagRequestText = "Item with note";

// Marks (has_note) or unmarks the item and saves it when anything changed,
// holding the item-update flag while it writes. Errors are ignored step by
// step; an item that cannot take properties or flags is left as far as it
// got. While a note window loads or deletes its note, nothing is done.
void SetParentItemProperties(AddinContext& ctx, const ol::ItemPtr& item, bool has_note);

// The item's flag status and icon through the helper library (a mail's from
// its own members when the library is not installed); icon is read only
// when status is 2 (flagged). True when the status is known: read, or
// absent (0, never flagged). Errors leave the outputs as they were.
bool GetItemFlag(AddinContext& ctx, const ol::ItemPtr& item, int32_t& status,
                 int32_t& icon);
// Writes the flag status and icon through the helper library; errors ignored.
// When the library is not installed nothing is written, and the user is
// told once.
void SetItemFlag(AddinContext& ctx, const ol::ItemPtr& item, int32_t status,
                 int32_t icon);

}  // namespace pinlet

#endif  // PINLET_STORE_PARENT_MARKING_H_
