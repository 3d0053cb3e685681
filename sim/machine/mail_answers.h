// Answer mails as Outlook's Reply, Reply to All and Forward make them.
//
// Built at the node level: this is the simulated host's own work, shared by
// the items' Reply, ReplyAll and Forward members and by the windows' Reply,
// Reply to All and Forward commands, and never a call of the add-in's.
#ifndef PINLET_SIM_MACHINE_MAIL_ANSWERS_H_
#define PINLET_SIM_MACHINE_MAIL_ANSWERS_H_

#include <memory>
#include <optional>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {

enum class AnswerKind { kReply, kReplyAll, kForward };

// The command of Outlook's command-bar control `control_id`: Reply (354),
// Reply to All (355), Forward (356); nullopt for any other control.
std::optional<AnswerKind> AnswerKindOfControl(int control_id);
// Whether items of that class have the command: Reply and Forward for mail
// and posts, Reply to All for mail.
bool HasAnswer(int item_class, AnswerKind kind);

// A new unsaved mail answering `source`, as the Item::Reply, ReplyAll and
// Forward contract in outlook_items.h describes; when saved it goes to the
// Drafts folder of the source's store. Requires HasAnswer(source.cls, kind).
// It answers what `shown` holds (an item object's content with its unsaved
// changes), or the stored source when it is null.
std::shared_ptr<ItemNode> MakeAnswer(MailStore& store, const ItemNode& source,
                                     AnswerKind kind, const ItemContent* shown = nullptr);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_MAIL_ANSWERS_H_
