// Registry values for the DLL's registration and its own settings, under a
// root the caller names (HKEY_CLASSES_ROOT for the COM class,
// HKEY_CURRENT_USER for Office's add-in keys and the add-in's settings).
//
// Text is written as the system documents it for other readers (COM,
// Office): with its terminating zero. Key trees are deleted with the shared
// key functions of platform/win32/registry_keys.h, at Windows XP's level.
// Writing and deleting raise a HostError whose number is the Win32 error
// as an HRESULT, its source naming the key; reading answers nullopt.
#ifndef PINLET_COMSERVER_REGISTRY_TREE_H_
#define PINLET_COMSERVER_REGISTRY_TREE_H_

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pinlet::com {

// Stores a REG_SZ or REG_DWORD value (an empty name is the key's default
// value), creating the key and any missing parents. Raises on failure.
void WriteTextValue(HKEY root, std::wstring_view path, std::wstring_view name,
                    std::wstring_view text);
void WriteDwordValue(HKEY root, std::wstring_view path, std::wstring_view name,
                     DWORD value);

// The text of a REG_SZ or REG_EXPAND_SZ value (not expanded, without its
// terminating zero); nullopt when the key or the value is absent, of
// another type, or cannot be read.
std::optional<std::wstring> ReadTextValue(HKEY root, std::wstring_view path,
                                          std::wstring_view name);

// Whether the key exists.
bool KeyExists(HKEY root, std::wstring_view path);

// Deletes the key at `path` with all its subkeys and values, then each
// parent that is left empty, from the nearest upwards, stopping before
// `keep` (an ancestor of `path`, never deleted). Nothing happens when the
// key does not exist. Raises when the key cannot be deleted.
void DeleteKeyTree(HKEY root, std::wstring_view path, std::wstring_view keep);

// Deletes the value `name` of the key at `path`, then the key and each
// parent that is left empty, from the nearest upwards, stopping before
// `keep`. Nothing happens when the key or the value does not exist. Raises
// when the value cannot be deleted.
void DeleteValueAndEmptyKeys(HKEY root, std::wstring_view path, std::wstring_view name,
                             std::wstring_view keep);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_REGISTRY_TREE_H_
