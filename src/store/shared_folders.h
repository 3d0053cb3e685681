// The folders whose items carry notes, kept for the sharing product.
//
// Each such folder is one value under "Software\Zarvo\Pinlet\Shared": the
// folder's EntryID is the value's name and its StoreID the value's text. A
// folder is written once, the first time one of its items gets a note (the
// note window) or the sharing product deletes one of its items that has a
// note; that first time the folder is also reported to the product's engine
// interface (ctx.sharing_registration), when the product is there. At every
// start the add-in reports all entries again to the new registration.
#ifndef PINLET_STORE_SHARED_FOLDERS_H_
#define PINLET_STORE_SHARED_FOLDERS_H_

#include <string_view>

#include "addin/context.h"

namespace pinlet {

// Records the folder (EntryID, StoreID) under "\Shared" unless it is there
// already, and reports a newly written folder to the sharing engine when one
// is registered. Returns true when the folder was written now. Nothing is
// written for an empty EntryID, nor when the registry cannot be read (it is
// not known then whether the folder is recorded) or written; the engine is
// told only of a folder that was written. Never raises: a failing report is
// ignored, and the next start reports the entry again.
bool RecordSharedFolder(AddinContext& ctx, std::string_view entry_id,
                        std::string_view store_id);

}  // namespace pinlet

#endif  // PINLET_STORE_SHARED_FOLDERS_H_
