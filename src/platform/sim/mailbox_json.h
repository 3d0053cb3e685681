// Keeps a simulated mailbox in a JSON file between runs of the pinlet command.
//
// Everything the object model can see is kept: stores with their identifiers,
// the folder tree with views and user fields, items with their class,
// subject, EntryID, modification time, user properties, class members, MAPI
// properties and attachments. Loading checks the file and refuses a
// malformed one as a whole, saying what is wrong; saving writes a temporary
// file and renames it, so a crash never leaves half a file.
#ifndef PINLET_PLATFORM_SIM_MAILBOX_JSON_H_
#define PINLET_PLATFORM_SIM_MAILBOX_JSON_H_

#include <string>

#include "platform/sim/mail_store.h"

namespace pinlet::sim {

std::string MailboxToJson(const MailStore& store);
// Replaces `store` with the mailbox in `text`; on error `store` is unchanged.
bool MailboxFromJson(const std::string& text, MailStore& store, std::string* error);

bool SaveMailbox(const MailStore& store, const std::string& path, std::string* error);
bool LoadMailbox(const std::string& path, MailStore& store, std::string* error);

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_MAILBOX_JSON_H_
