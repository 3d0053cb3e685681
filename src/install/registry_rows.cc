#include "install/registry_rows.h"

namespace pinlet::install {
namespace {

constexpr std::string_view kOffice = "Software\\Microsoft\\Office";
// The Office applications that load the add-in: Outlook, and Word when it
// is Outlook's e-mail editor.
constexpr std::string_view kHosts[] = {"Outlook", "Word"};

std::string ClassKey() { return "CLSID\\" + std::string(kClsid); }

std::string AddinKey(std::string_view host) {
  return std::string(kOffice) + "\\" + std::string(host) + "\\Addins\\" +
         std::string(kProgId);
}

RegistryRow Text(Root root, std::string key, std::string name, std::string_view value) {
  return {root, std::move(key), std::move(name), Kind::kText, std::string(value)};
}

}  // namespace

std::vector<RegistryRow> RegistryRows(const Places& places) {
  const std::string class_key = ClassKey();
  std::vector<RegistryRow> rows = {
      Text(Root::kClasses, class_key, "", kProgId),
      Text(Root::kClasses, class_key + "\\InprocServer32", "", places.dll),
      Text(Root::kClasses, class_key + "\\InprocServer32", "ThreadingModel", "Apartment"),
      Text(Root::kClasses, class_key + "\\ProgID", "", kProgId),
      Text(Root::kClasses, std::string(kProgId) + "\\CLSID", "", kClsid),
  };
  for (std::string_view host : kHosts) {
    const std::string key = AddinKey(host);
    rows.push_back(Text(Root::kUser, key, "FriendlyName", kFriendlyName));
    rows.push_back(Text(Root::kUser, key, "Description", kDescription));
    rows.push_back({Root::kUser, key, "LoadBehavior", Kind::kNumber,
                    std::to_string(kLoadAtStartup)});
  }
  for (RegistryRow& row : SharedValues(places)) rows.push_back(std::move(row));
  return rows;
}

std::vector<OwnedKey> OwnedKeys() {
  std::vector<OwnedKey> keys = {
      {Root::kClasses, ClassKey(), "CLSID"},
      {Root::kClasses, std::string(kProgId), ""},
  };
  for (std::string_view host : kHosts)
    keys.push_back({Root::kUser, AddinKey(host), std::string(kOffice)});
  return keys;
}

std::vector<RegistryRow> SharedValues(const Places& places) {
  return {Text(Root::kUser, std::string(kSettingsKey), "InstDir", places.install_dir),
          Text(Root::kUser, std::string(kSettingsKey), "MyDir", places.user_dir)};
}

}  // namespace pinlet::install
