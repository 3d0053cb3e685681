// The file side of a note's attachments: which file names are refused as
// potentially unsafe, the plain file name an attachment is written under,
// and opening an attachment with the program registered for its type.
//
// Attachment names are hostile input: they come from files the user picks
// and from notes that other clients of the store wrote. A name is never
// joined to a folder as it stands; AttachmentFileName reduces it first, so
// that nothing is ever written outside the folder meant for it.
#ifndef PINLET_NOTEWINDOW_ATTACHMENT_FILES_H_
#define PINLET_NOTEWINDOW_ATTACHMENT_FILES_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/context.h"
#include "platform/file_names.h"

namespace pinlet {

// The refused endings, each a regular expression whose leading dot matches
// any character (".exe$" also refuses "lemonade"): 71 of them.
std::span<const std::string_view> BlockedPatterns();

// True when `name` is refused: a pattern matches it, without regard to case,
// as given or with its trailing dots and blanks removed (Windows drops
// those, so "run.exe." opens as a program). The patterns are tested with the
// host's regular expression object; when that cannot be made or fails, the
// failure is reported with the tag "basMainProc(Function BlockFile)" and the
// same patterns are tested without it, so a failure never lets a refused
// name through.
bool BlockFile(AddinContext& ctx, std::string_view name);

// The plain file name an attachment called `file_name` is written under:
// its last path part, made safe by SafeFileName (at most `max_length`
// characters); "attachment" when nothing is left of it. Never empty, never
// holds a separator or a drive.
std::string AttachmentFileName(std::string_view file_name,
                               size_t max_length = kMaxFileNameLength);

// Whether opening the attachment would run a refused file: its file name,
// the name it would be written under, or (for a link) the linked file's
// name is refused. Raises what reading the attachment raises.
bool AttachmentBlocked(AddinContext& ctx, const ol::AttachmentPtr& attachment);

// The folder of Pinlet's own under the user's temporary folder that the
// copies of opened attachments are written into, "Pinlet Attachments\"
// (the path ends in "\"), created when missing. Nothing else is written
// there, so whatever it holds is such a copy; the user's own files in the
// temporary folder are never touched. nullopt when the temporary folder
// cannot be had or the folder cannot be created.
std::optional<std::string> AttachmentCopyFolder(AddinContext& ctx);

// Opens an attachment with the program registered for its type, as the
// shell's "open" does, and returns ShellExecute's result (above 32 on
// success; se::kNoAssociation when no program opens the type). A link opens
// the linked file in its folder; an attached copy is written first into
// AttachmentCopyFolder under AttachmentFileName, shortened so that the
// path stays within kMaxPathLength, and opened there. Each opening writes a
// new copy and never replaces a file: when the name is taken, " (2)",
// " (3)", ... goes before its extension ("report (2).txt"). The path of a
// copy written is appended to `copies`, whether it opened or not. A
// refused attachment (AttachmentBlocked) is never opened: the answer is
// se::kAccessDenied. Failures are answers only (se::kPathNotFound when the
// temporary folder, a free name or the copy cannot be had); nothing is
// raised.
int64_t AttachmentOpen(AddinContext& ctx, const ol::AttachmentPtr& attachment,
                       std::vector<std::string>* copies = nullptr);

// Deletes the copies in `copies` and empties the list. A copy that cannot be
// deleted (its program may still hold it open) stays for
// DeleteStaleAttachmentCopies; nothing is reported.
void DeleteAttachmentCopies(AddinContext& ctx, std::vector<std::string>& copies);

// At the add-in's start: deletes the copies that an earlier session left in
// AttachmentCopyFolder, and the folder when it is then empty. Failures are
// ignored: what cannot be deleted now is tried again at the next start.
void DeleteStaleAttachmentCopies(AddinContext& ctx);

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_ATTACHMENT_FILES_H_
