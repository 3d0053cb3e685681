// Outlook's object model guard, as Outlook 2002 and 2003 apply it to a COM
// add-in (docs/host-behaviour.md, "The object model guard").
//
// Reading a guarded member (an address: Item.To, Item.SenderName,
// Recipient.Address, ...) asks the user first, in Outlook's own message box,
// whether a program may read the addresses stored in Outlook. Outlook 2002
// trusts no COM add-in, so every such read asks. Outlook 2003 trusts the
// objects derived from the Application it handed the add-in at connection
// and asks only for the others (an item reached through Word's MailEnvelope),
// and guards their Body and HTMLBody as well. CDO 1.21 guards the address
// properties of its messages' Fields on both versions, whatever the trust.
// Redemption's Safe* objects never ask.
//
// Only gets are guarded; setting To or Body asks nothing. A No fails the
// read with MAPI_E_NOT_SUPPORTED. The simulated host's own work (under a
// FaultInjector::Pause) is never guarded.
#ifndef PINLET_SIM_MACHINE_OBJECT_MODEL_GUARD_H_
#define PINLET_SIM_MACHINE_OBJECT_MODEL_GUARD_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace pinlet::sim {

class World;

// What Outlook raises for a guarded read the user answered No:
// MAPI_E_NOT_SUPPORTED 0x80040102.
constexpr int32_t kGuardRefused = -2147221246;
// What CDO raises for one: E_ACCESSDENIED 0x80070005.
constexpr int32_t kCdoGuardRefused = -2147024891;

// The address book prompt's text.
extern const char* const kAddressPrompt;

// Whether reading `member` (its host name: "Item.To", "Recipient.Address")
// asks first on Outlook `version`, for an object the trust covers or not.
bool IsGuarded(std::string_view member, int version, bool trusted);
// Whether CDO guards the message field `name` (a property tag in CDO's
// numeric form, "&H0C1A001E" or "0x0C1A001E", of an address property).
bool IsCdoGuardedField(std::string_view name);

// The guard of a read of `member` by the add-in: when the running Outlook
// guards it, shows the prompt (a box nobody answers is a defect of the run,
// as any other); a No raises HostError kGuardRefused.
void PassGuard(World& world, std::string_view member, bool trusted);
// The same for CDO's read of a message field; a No raises kCdoGuardRefused.
void PassCdoGuard(World& world, std::string_view field);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_OBJECT_MODEL_GUARD_H_
