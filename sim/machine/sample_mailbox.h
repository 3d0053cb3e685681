// The built-in sample mailbox the pinlet command starts on.
#ifndef PINLET_SIM_MACHINE_SAMPLE_MAILBOX_H_
#define PINLET_SIM_MACHINE_SAMPLE_MAILBOX_H_

#include "platform/date.h"
#include "sim/machine/mail_store.h"

namespace pinlet::sim {

// Fills an empty store with a default store "Mailbox - Pat Kelly" (a dozen
// mails in the Inbox and a few in its subfolder "Projects", contacts, tasks,
// appointments, a journal entry, a post) and a second store "Archive".
// The mails are addressed to Pat Kelly, some with Cc, and carry a sender,
// its address and a sent time; three have HTML bodies ("Team offsite
// agenda", "Fire drill on Wednesday", "Customer visit: Norvale Ltd"), one a
// rich-text body and two attached files ("Draft contract for Hallam & Sons"),
// and one was sent by Mia Chen on behalf of Dana Whitfield ("Board slides").
void BuildSampleMailbox(MailStore& store, Date now);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SAMPLE_MAILBOX_H_
