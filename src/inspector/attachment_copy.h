// Passing an item's attachments to a mail through files of our own.
//
// Outlook adds an attachment to a mail only from a file, so each one is
// saved, added and deleted again. The copies go into folders that this code
// creates itself under the add-in's "Temp\" folder: a folder is taken only
// when creating it succeeds, so a file or folder that was there before (the
// user's, or one left by an earlier failure) is never written into,
// overwritten or deleted. Each attachment gets a folder of its own, so two
// attachments of one name never share a file, and its file name is made
// safe and shortened, keeping its extension, so that the whole path stays
// within the longest path Windows takes.
#ifndef PINLET_INSPECTOR_ATTACHMENT_COPY_H_
#define PINLET_INSPECTOR_ATTACHMENT_COPY_H_

#include <optional>
#include <string>

#include "addin/context.h"

namespace pinlet {

// A new, empty folder under `parent` (which ends in "\"), created by this
// call: `parent` followed by a number and "\", the first number whose
// folder can be created (at most 100 are tried). `parent` itself is created
// when missing. nullopt when no folder could be created.
std::optional<std::string> CreateFreshFolder(FileSystem& files,
                                             const std::string& parent);

// Adds a copy of every attachment of `from` to `to`, each through a fresh
// folder under `temp` (the add-in's "Temp\" folder, ending in "\"), which is
// removed again with the file in it; `temp` is removed when it is left
// empty. A failing attachment does not stop the others. True when every
// attachment of `from` was added (also when it has none); false when one
// was not, or when `from`'s attachments could not be read.
bool CopyAttachmentsThrough(AddinContext& ctx, const ol::ItemPtr& from,
                            const ol::ItemPtr& to, const std::string& temp);

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_ATTACHMENT_COPY_H_
