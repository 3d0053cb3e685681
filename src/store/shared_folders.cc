#include "store/shared_folders.h"

#include "addin/settings.h"
#include "platform/host_error.h"
#include "platform/sharing.h"

namespace pinlet {

bool RecordSharedFolder(AddinContext& ctx, std::string_view entry_id,
                        std::string_view store_id) {
  if (entry_id.empty()) return false;
  Registry& registry = ctx.registry();
  RegValue ignored;
  if (registry.ReadValue(kSharedKey, entry_id, &ignored) != Registry::Read::kAbsent)
    return false;
  if (!WriteText(registry, kSharedKey, entry_id, store_id)) return false;
  if (std::shared_ptr<SharingEngine> engine = ctx.sharing_registration)
    IgnoreError([&] { engine->AddSharedFolder(entry_id, store_id); });
  return true;
}

}  // namespace pinlet
