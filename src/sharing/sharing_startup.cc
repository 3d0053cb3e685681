#include "sharing/sharing_startup.h"

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "platform/sharing.h"
#include "sharing/bas_relaybook.h"
#include "sharing/c_lib_addin.h"

namespace pinlet {
namespace {

// Creates the folder and any missing folder on its way; false when one of
// them cannot be made.
bool MakeFolders(FileSystem& files, const std::string& folder) {
  std::string path = folder;
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (path.empty() || files.FolderExists(path)) return true;
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 2 &&
      !MakeFolders(files, path.substr(0, slash)))
    return false;
  return files.CreateFolder(path);
}

}  // namespace

void PrepareSharing(AddinContext& ctx) {
  const Platform& p = ctx.platform;
  if (!p.files || !p.shell || !p.objects || !p.registry) return;
  ctx.sharing_registration.reset();
  ctx.sharing_product.reset();
  ctx.sharing_extension.reset();

  std::string name = LoadResString(res::kProductName);
  basRelaybook::SharingPlacement placement;
  placement.personal_dir = basRelaybook::GetPersonalDir(ctx, 2, name);
  placement.user_name = basRelaybook::GetCurrentUserName(ctx);
  placement.profile_name = basRelaybook::GetProfileName(ctx);

  std::string database = basRelaybook::DatabasePathFor(placement);
  if (!database.empty() && !basRelaybook::FileExists(ctx, database)) {
    // Without the product there is no template, and nothing to place.
    std::string source =
        basRelaybook::GetInstallDir(ctx) + std::string(basRelaybook::kDatabaseName);
    if (basRelaybook::FileExists(ctx, source)) {
      MakeFolders(*p.files, placement.personal_dir);
      basRelaybook::CopyFile(ctx, source, database);
    }
  }
  if (!placement.personal_dir.empty())
    basRelaybook::ReduceFile(ctx, placement.personal_dir, basRelaybook::kLogName);

  auto extension = std::make_shared<cLibAddin>(ctx, std::move(placement));
  ctx.sharing_extension = extension;
  // A product that is not installed answers 429 at once; any other failure
  // may pass, and is tried once more, so that a passing fault does not
  // leave the notes unfollowed until the next start.
  for (int attempt = 0; attempt < 2 && !ctx.sharing_registration; ++attempt) {
    std::optional<HostError> error = Attempt([&] {
      if (!ctx.sharing_product) ctx.sharing_product = p.objects->CreateSharingProduct();
      ctx.sharing_registration = Must(ctx.sharing_product).AddExtension(extension);
    });
    if (error && error->number() == errors::kCannotCreateObject) break;
  }
}

void AssignItems(AddinContext& ctx) {
  std::shared_ptr<SharingEngine> engine = ctx.sharing_registration;
  if (!engine || !ctx.platform.registry) return;
  cRegistry registry(ctx.registry());
  registry.SectionKey = std::string(kSharedKey);
  std::vector<std::string> names;
  int count = 0;
  if (!registry.EnumerateValues(names, count)) return;
  for (const std::string& folder_id : names) {
    if (folder_id.empty()) continue;  // the key's default value is no folder
    std::string store_id = ReadText(ctx.registry(), kSharedKey, folder_id);
    RunGuardedSub(ctx, "basRelaybook(Sub AssignItems)",
                  [&](Proc&) { engine->AddSharedFolder(folder_id, store_id); });
  }
}

namespace {

class SharingSubsystem : public Subsystems::Sharing {
 public:
  void Prepare(AddinContext& ctx) override { PrepareSharing(ctx); }
  void AssignItems(AddinContext& ctx) override { pinlet::AssignItems(ctx); }
};

}  // namespace

void InstallSharing(Subsystems& subsystems) {
  subsystems.sharing = std::make_shared<SharingSubsystem>();
}

}  // namespace pinlet
