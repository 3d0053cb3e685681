// The simulated registry: an in-memory HKEY_CURRENT_USER with regedit's text
// format for keeping it between runs.
//
// Keys and value names compare without regard to case and keep the spelling
// they were created with. Values keep their type and bytes exactly, so a value
// another tool stored (a REG_DWORD, a REG_SZ with its terminating zero, a
// binary value) reads back as that tool left it. The fault injector can make
// any registry call fail.
#ifndef PINLET_PLATFORM_SIM_SIM_REGISTRY_H_
#define PINLET_PLATFORM_SIM_SIM_REGISTRY_H_

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace pinlet::sim {

class FaultInjector;

class SimRegistry : public Registry {
 public:
  explicit SimRegistry(FaultInjector* faults = nullptr) : faults_(faults) {}

  Read ReadValue(std::string_view path, std::string_view name, RegValue* value) override;
  using Registry::QueryValue;
  bool SetValue(std::string_view path, std::string_view name,
                const RegValue& value) override;
  std::optional<std::vector<std::string>> EnumValueNames(std::string_view path) override;
  std::optional<std::vector<std::string>> EnumSubkeys(std::string_view path) override;
  bool KeyExists(std::string_view path) override;
  bool DeleteValue(std::string_view path, std::string_view name) override;

  // All keys in their stored spelling, sorted without regard to case.
  std::vector<std::string> AllKeys() const;
  void Clear() { keys_.clear(); }

  // Regedit text ("Windows Registry Editor Version 5.00", one [HKEY_CURRENT_USER\...]
  // section per key). Export gives the keys at and below `root` ("" = all).
  std::string Export(std::string_view root = "") const;
  // Replaces the whole registry with the file's content. On a malformed file
  // nothing changes and `error` says which line is wrong and why.
  bool Import(std::string_view text, std::string* error);

  // Reads or writes a real file; Save writes a temporary file and renames it.
  bool Load(const std::string& path, std::string* error);
  bool Save(const std::string& path, std::string* error) const;

 private:
  struct Key {
    std::string path;  // as first spelled
    std::vector<std::pair<std::string, RegValue>> values;
  };
  static std::string Fold(std::string_view text);
  static std::string Normalize(std::string_view path);
  Key* Find(std::string_view path);
  bool Check(std::string_view member);

  FaultInjector* faults_;
  std::map<std::string, Key> keys_;  // by folded path
};

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_SIM_REGISTRY_H_
