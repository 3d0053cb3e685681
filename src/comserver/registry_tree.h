// The current user's registry branch through Win32, for the DLL's own
// registration and settings: writing values, reading text, and deleting a
// key with everything under it together with the parents it leaves empty.
//
// Paths are relative to HKEY_CURRENT_USER, backslash-separated. Windows XP
// has no call that deletes a key tree (RegDeleteTreeW came with Vista), so
// DeleteKeyTree walks the tree itself. Failures raise a HostError whose
// number is the Win32 error as an HRESULT, its source naming the key.
#ifndef PINLET_COMSERVER_REGISTRY_TREE_H_
#define PINLET_COMSERVER_REGISTRY_TREE_H_

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pinlet::com {

// Stores a REG_SZ or REG_DWORD value (an empty name is the key's default
// value), creating the key and any missing parents. Raises on failure.
void WriteTextValue(std::wstring_view path, std::wstring_view name,
                    std::wstring_view text);
void WriteDwordValue(std::wstring_view path, std::wstring_view name, DWORD value);

// The text of a REG_SZ or REG_EXPAND_SZ value (not expanded); nullopt when
// the key or the value is absent, of another type, or cannot be read.
std::optional<std::wstring> ReadTextValue(std::wstring_view path, std::wstring_view name);

// Whether the key exists.
bool KeyExists(std::wstring_view path);

// Deletes the key at `path` with all its subkeys and values, then each
// parent that is left with no subkey and no value, from the nearest upwards,
// stopping before `keep` (an ancestor of `path` that is never deleted).
// Nothing happens when the key does not exist. Raises when a key cannot be
// deleted; what was deleted before stays deleted.
void DeleteKeyTree(std::wstring_view path, std::wstring_view keep);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_REGISTRY_TREE_H_
