// The registry of platform/registry.h over the real HKEY_CURRENT_USER,
// through the W calls.
//
// Key paths and value names cross as UTF-16. Text values (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) are UTF-16 in the registry and UTF-8 here,
// unit for unit: a terminating zero another program stored reads back as a
// trailing NUL, and text written here is stored exactly as given, without
// a terminating zero of its own, so that it reads back unchanged. Other
// types keep their bytes; a REG_DWORD has exactly four.
//
// What no key or value can be called (a NUL, bytes that are not UTF-8, a
// key name over 255 characters) is absent to readers and refused to
// writers, as is text that is not UTF-8. Value names are listed in the
// order the system keeps them, which on Windows is the order they were
// first written (Wine sorts them by name).
//
// The root is HKEY_CURRENT_USER as it stands at each call, so a process
// that redirects it (RegOverridePredefKey) redirects this registry too.
#ifndef PINLET_PLATFORM_WIN32_WIN32_REGISTRY_H_
#define PINLET_PLATFORM_WIN32_WIN32_REGISTRY_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace pinlet {

class Win32Registry : public Registry {
 public:
  Read ReadValue(std::string_view path, std::string_view name, RegValue* value) override;
  using Registry::QueryValue;
  bool SetValue(std::string_view path, std::string_view name,
                const RegValue& value) override;
  std::optional<std::vector<std::string>> EnumValueNames(std::string_view path) override;
  // The subkeys of HKEY_CURRENT_USER itself for an empty path.
  std::optional<std::vector<std::string>> EnumSubkeys(std::string_view path) override;
  bool KeyExists(std::string_view path) override;
  bool DeleteValue(std::string_view path, std::string_view name) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_REGISTRY_H_
