// The built-in sample mailbox the pinlet command starts on.
#ifndef PINLET_PLATFORM_SIM_SAMPLE_MAILBOX_H_
#define PINLET_PLATFORM_SIM_SAMPLE_MAILBOX_H_

#include "platform/date.h"
#include "platform/sim/mail_store.h"

namespace pinlet::sim {

// Fills an empty store with a default store "Mailbox - Pat Kelly" (a dozen
// mails in the Inbox and a few in its subfolder "Projects", contacts, tasks,
// appointments, a journal entry, a post) and a second store "Archive".
void BuildSampleMailbox(MailStore& store, Date now);

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_SAMPLE_MAILBOX_H_
