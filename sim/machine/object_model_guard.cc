#include "sim/machine/object_model_guard.h"

#include <algorithm>
#include <cstdlib>

#include "platform/host_error.h"
#include "sim/machine/world.h"
#include "platform/windows.h"

namespace pinlet::sim {
namespace {

// The members the add-in can reach that Outlook 2002 guards for an
// untrusted caller (Outlook 2002's e-mail security; Outlook 2003's MailItem,
// ContactItem and Recipient references).
constexpr std::string_view kAddressMembers[] = {
    "Item.BCC",
    "Item.CC",
    "Item.Email1Address",
    "Item.Recipients",
    "Item.SenderEmailAddress",
    "Item.SenderName",
    "Item.SentOnBehalfOfName",
    "Item.To",
    "Recipient.Address",
};
// What Outlook 2003 guards besides, for an object outside its trust.
constexpr std::string_view kBodyMembers[] = {"Item.Body", "Item.HTMLBody"};

// The message properties CDO 1.21 guards (PR_SENT_REPRESENTING_*,
// PR_SENDER_*, PR_DISPLAY_TO/CC/BCC and their PR_ORIGINAL_ forms), by their
// property identifier (the tag's upper half).
constexpr uint32_t kCdoAddressIds[] = {
    0x0041, 0x003B, 0x0042, 0x0064, 0x0065,  // sent representing
    0x0C19, 0x0C1D, 0x0C1A, 0x0C1E, 0x0C1F,  // sender
    0x0E04, 0x0E03, 0x0E02,                  // display to, cc, bcc
    0x0074, 0x0073, 0x0072,                  // original display to, cc, bcc
};

bool Among(std::string_view member, const auto& list) {
  return std::find(std::begin(list), std::end(list), member) != std::end(list);
}

void Ask(World& world, std::string_view member, int32_t refused) {
  const char* title = world.faults.host_version() >= 11 ? "Microsoft Office Outlook"
                                                        : "Microsoft Outlook";
  int answer = world.message_boxes.Ask(
      kAddressPrompt, title,
      mb::kYesNo | mb::kExclamation | mb::kDefaultButton2 | mb::kHelpButton);
  if (answer != mb::kYes)
    throw HostError(
        refused,
        refused == kGuardRefused ? "The operation is not supported." : "Access denied.",
        std::string(member));
}

}  // namespace

const char* const kAddressPrompt =
    "A program is trying to access e-mail addresses you have stored in Outlook. Do "
    "you want to allow this?\n\nIf this is unexpected, it may be a virus and you "
    "should choose \"No\".";

bool IsGuarded(std::string_view member, int version, bool trusted) {
  if (version < 10 || version > 11) return false;  // modelled for 2002 and 2003
  bool untrusted = version == 10 || !trusted;
  if (!untrusted) return false;
  return Among(member, kAddressMembers) || (version == 11 && Among(member, kBodyMembers));
}

bool IsCdoGuardedField(std::string_view name) {
  std::string digits;
  if (name.starts_with("&H") || name.starts_with("&h") || name.starts_with("0x") ||
      name.starts_with("0X"))
    digits = std::string(name.substr(2));
  if (digits.empty() || digits.size() > 8 ||
      digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return false;
  uint32_t tag = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  return std::find(std::begin(kCdoAddressIds), std::end(kCdoAddressIds), tag >> 16) !=
         std::end(kCdoAddressIds);
}

void PassGuard(World& world, std::string_view member, bool trusted) {
  if (world.faults.paused()) return;
  if (IsGuarded(member, world.faults.host_version(), trusted))
    Ask(world, member, kGuardRefused);
}

void PassCdoGuard(World& world, std::string_view field) {
  if (world.faults.paused()) return;
  if (IsCdoGuardedField(field)) Ask(world, "Fields.Item", kCdoGuardRefused);
}

}  // namespace pinlet::sim
