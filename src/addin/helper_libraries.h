// The helper libraries that a machine may lack, and what the add-in does
// without them.
//
// Outlook Redemption is installed on its own, and CDO 1.21 ("MAPI.Session")
// is an optional part of Office XP and 2003 that their setup leaves out, so
// creating either may raise 429 ("ActiveX component can't create object").
// Notes are then still made, shown and saved through Outlook's own object
// model; what truly needs the library is left out. The first time in a
// session that something is left out for a library, the user is told in a
// message box what is missing and where to get it, and the support
// library's log records it; later omissions say nothing more.
#ifndef PINLET_ADDIN_HELPER_LIBRARIES_H_
#define PINLET_ADDIN_HELPER_LIBRARIES_H_

#include <string_view>
#include <type_traits>

#include "addin/context.h"
#include "platform/host_error.h"

namespace pinlet {

enum class HelperLibrary { kRedemption, kCdo };

// Whether `error` says that the library is not installed (429).
bool NotInstalled(const HostError& error);

// The object `create` makes, or nullptr when it raised; `missing` tells
// whether it raised because the library is not installed.
template <typename F>
auto TryCreate(F&& create, bool& missing) -> std::decay_t<decltype(create())> {
  std::decay_t<decltype(create())> object;
  std::optional<HostError> error = Attempt([&] { object = std::forward<F>(create)(); });
  missing = error && NotInstalled(*error);
  return object;
}

// Something was left out because `library` is not installed: once a
// session, the user is told and the log records it under `tag` (the
// procedure that did without it). Never raises.
void TellLibraryMissing(AddinContext& ctx, HelperLibrary library, std::string_view tag);

}  // namespace pinlet

#endif  // PINLET_ADDIN_HELPER_LIBRARIES_H_
