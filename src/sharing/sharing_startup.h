// The sharing product at start-up: its database and log placed for the
// user, the extension object registered with it, and the recorded shared
// folders handed to the new registration. The Outlook connector runs both
// through the sharing subsystem (Subsystems::Sharing), in that order.
#ifndef PINLET_SHARING_SHARING_STARTUP_H_
#define PINLET_SHARING_SHARING_STARTUP_H_

#include "addin/context.h"

namespace pinlet {

// Each step with errors ignored: the personal folder (mode 2, else mode 1),
// the user name and the profile name; the database copied from the install
// folder's template when it is missing (only when the template is there,
// that is when the product is installed; the personal folder is created
// first when needed); the log trimmed when it has grown too long; then the
// extension object (ctx.sharing_extension), the product's object
// (ctx.sharing_product, none when the product is not installed) and the
// engine interface of the extension's registration (ctx.sharing_registration);
// these two are tried a second time after a failure other than 429 (the
// product is not installed).
// Objects of an earlier connection are released first, registration first.
void PrepareSharing(AddinContext& ctx);

// Reports every folder recorded under "\Shared" to the engine interface, so
// that the product keeps the notes of their items following them; nothing
// without a registration. A failing report is logged with the tag
// "basRelaybook(Sub AssignItems)" and the next entry is reported. Never
// raises.
void AssignItems(AddinContext& ctx);

// Installs both as the sharing subsystem (Subsystems::Sharing).
void InstallSharing(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_SHARING_SHARING_STARTUP_H_
