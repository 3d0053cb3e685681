// Registry keys as the Win32 services and the COM server's registration
// handle them: key paths turned into what the W calls take, an owned key
// handle, and the deletion of whole key trees and of keys left empty.
//
// Windows XP has no RegDeleteTree (it came with Vista), so a tree is
// deleted key by key from its leaves up. Paths are UTF-8, backslash
// separated, under a root the caller names (HKEY_CURRENT_USER,
// HKEY_CLASSES_ROOT, ...). Nothing here raises: failures are answers.
#ifndef PINLET_PLATFORM_WIN32_REGISTRY_KEYS_H_
#define PINLET_PLATFORM_WIN32_REGISTRY_KEYS_H_

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace pinlet {

// The longest name of one key, in UTF-16 code units.
// The components of a key path in UTF-16, by the rules of RegistryKeyNames
// (registry.h); nullopt when one cannot name a key. An empty path gives no
// components: the root itself.
std::optional<std::vector<std::wstring>> KeyComponents(std::string_view path);
// The first `count` components (all by default) joined by single
// backslashes, as the W calls take a path.
std::wstring JoinKeyPath(const std::vector<std::wstring>& components,
                         size_t count = SIZE_MAX);
// A key or value name in UTF-16; nullopt when it holds a NUL or bytes that
// are not UTF-8, which no name the system keeps can be.
std::optional<std::wstring> NativeRegistryName(std::string_view name);

// One open key, closed when it goes.
class OwnedKey {
 public:
  OwnedKey() = default;
  OwnedKey(const OwnedKey&) = delete;
  OwnedKey& operator=(const OwnedKey&) = delete;
  OwnedKey(OwnedKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  ~OwnedKey() {
    if (key_) RegCloseKey(key_);
  }

  // Opens `path` of `root` with `access`: the system's result
  // (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...).
  LONG Open(HKEY root, const std::wstring& path, REGSAM access);
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Deletes the key `path` of `root` with every subkey and value below it.
// Returns true when the key no longer exists (also when there was none);
// false for the root itself, a path that names no key, or a part that
// could not be deleted, which then stays with what holds it while the
// rest is gone.
bool DeleteKeyTree(HKEY root, std::string_view path);

// Deletes `path` when it is empty (no subkeys, no values, not even the
// default one), then each of its parents that is left empty, up to
// `ancestor`, which stays ("" for the root). A missing key is passed over;
// the first key that holds something or cannot be deleted ends the walk.
// Returns how many keys were deleted: 0 also when `ancestor` does not
// contain `path` (names compared without regard to case).
int DeleteEmptyKeys(HKEY root, std::string_view path, std::string_view ancestor);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_REGISTRY_KEYS_H_
