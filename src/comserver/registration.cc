#include "comserver/registration.h"

#include <shlobj.h>

#include <optional>
#include <string>

#include "comserver/registry_tree.h"
#include "install/registry_rows.h"
#include "platform/host_error.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

// The user's data folder: Application Data\Zarvo\Pinlet\, as the package
// makes it.
constexpr std::wstring_view kUserFolder = L"Zarvo\\Pinlet\\";

HKEY RootKey(install::Root root) {
  return root == install::Root::kClasses ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

std::wstring FolderOf(std::wstring_view path) {
  size_t slash = path.find_last_of(L"\\/");
  return std::wstring(slash == std::wstring_view::npos ? L"" : path.substr(0, slash + 1));
}

// The user's data folder, made where it is missing. Raises when the shell
// cannot name Application Data.
std::wstring UserDataFolder() {
  wchar_t app_data[MAX_PATH] = {};
  HRESULT hr = SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, app_data);
  if (FAILED(hr)) throw HostError(hr, "SHGetFolderPath(CSIDL_APPDATA)");
  std::wstring folder = std::wstring(app_data) + L"\\" + std::wstring(kUserFolder);
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  return folder;
}

install::Places PlacesOf(std::wstring_view dll_path) {
  return {Narrow(dll_path), Narrow(FolderOf(dll_path)), Narrow(UserDataFolder())};
}

void WriteRow(const install::RegistryRow& row) {
  HKEY root = RootKey(row.root);
  if (row.kind == install::Kind::kNumber)
    WriteDwordValue(root, Wide(row.key), Wide(row.name), std::stoul(row.value));
  else
    WriteTextValue(root, Wide(row.key), Wide(row.name), Wide(row.value));
}

// Removes the user's data folder that registration made, and its Zarvo
// parent, where each is empty: what the add-in wrote there stays.
void RemoveEmptyUserFolder() {
  std::optional<std::wstring> folder = ReadTextValue(
      HKEY_CURRENT_USER, Wide(install::kSettingsKey), L"MyDir");
  if (!folder || folder->empty()) return;
  std::wstring path = *folder;
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  if (!RemoveDirectoryW(path.c_str())) return;
  std::wstring parent = FolderOf(path);
  if (!parent.empty()) RemoveDirectoryW(parent.c_str());
}

}  // namespace

void RegisterServer(std::wstring_view dll_path) {
  std::optional<HostError> failure = Attempt([&] {
    for (const install::RegistryRow& row : install::RegistryRows(PlacesOf(dll_path)))
      WriteRow(row);
  });
  if (!failure) return;
  IgnoreError([] { UnregisterServer(); });
  throw *failure;
}

void UnregisterServer() {
  // Every key is tried; the first failure is the answer.
  std::optional<HostError> failure;
  auto attempt = [&](auto&& remove) {
    std::optional<HostError> error = Attempt(remove);
    if (error && !failure) failure = std::move(error);
  };
  RemoveEmptyUserFolder();  // reads and removes only what is there; never raises
  for (const install::OwnedKey& owned : install::OwnedKeys())
    attempt([&] { DeleteKeyTree(RootKey(owned.root), Wide(owned.key), Wide(owned.kept)); });
  for (const install::RegistryRow& row : install::SharedValues({}))
    attempt([&] {
      DeleteValueAndEmptyKeys(RootKey(row.root), Wide(row.key), Wide(row.name), L"Software");
    });
  if (failure) throw *failure;
}

}  // namespace pinlet::com
