// The simulated registry: an in-memory HKEY_CURRENT_USER with regedit's text
// format for keeping it between runs.
//
// Keys and value names compare without regard to case and keep the spelling
// they were created with. Values keep their type and bytes exactly, so a value
// another tool stored (a REG_DWORD, a REG_SZ with its terminating zero, a
// binary value) reads back as that tool left it. The fault injector can make
// any registry call fail.
//
// Every key and value the registry holds can be written to its file and read
// back exactly, because SetValue refuses (answers false, changing nothing) what
// the file could not hold: a key path or value name with a line break, a NUL or
// bytes that are not UTF-8, text data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) that
// is not UTF-8, and keys more than kMaxDepth levels deep, which Windows refuses
// too. Keys are a tree, so lookups, loading and saving cost time linear in the
// lengths of the paths and values involved, however deep or wide the registry.
#ifndef PINLET_SIM_MACHINE_SIM_REGISTRY_H_
#define PINLET_SIM_MACHINE_SIM_REGISTRY_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"

namespace pinlet::sim {

class FaultInjector;

class SimRegistry : public Registry {
 public:
  // Windows keeps keys at most 512 levels deep.
  static constexpr size_t kMaxDepth = 512;

  explicit SimRegistry(FaultInjector* faults = nullptr) : faults_(faults) {}

  Read ReadValue(std::string_view path, std::string_view name, RegValue* value) override;
  using Registry::QueryValue;
  bool SetValue(std::string_view path, std::string_view name,
                const RegValue& value) override;
  std::optional<std::vector<std::string>> EnumValueNames(std::string_view path) override;
  std::optional<std::vector<std::string>> EnumSubkeys(std::string_view path) override;
  bool KeyExists(std::string_view path) override;
  bool DeleteValue(std::string_view path, std::string_view name) override;

  // How many times SetValue has stored the value `name` of key `path` in this
  // run, whether or not it changed what was there. The machine's own count.
  uint64_t WritesOf(std::string_view path, std::string_view name) const;

  // All keys in their stored spelling, each key before its subkeys, subkeys
  // sorted without regard to case.
  std::vector<std::string> AllKeys() const;
  void Clear() { root_ = Key{}; }
  // Removes a key with its values and everything below it; false when there
  // is no such key (or it is HKEY_CURRENT_USER itself). The machine's own
  // work, as Clear is: neither counted nor failed.
  bool RemoveKey(std::string_view path);

  // Regedit's text in UTF-8: "Windows Registry Editor Version 5.00", then one
  // [HKEY_CURRENT_USER\...] section for `root` ("" = the whole registry) and for
  // every key below it that has values or no subkeys (a key with subkeys and no
  // values exists through them). Text is quoted where regedit quotes it; REG_SZ
  // holding a line break or a NUL, and the other text types, are hex(N) lists of
  // UTF-16LE bytes, N in hexadecimal as regedit writes it.
  std::string Export(std::string_view root = "") const;
  // Replaces the whole registry with a regedit file's content: version 5 in
  // UTF-16LE with its byte-order mark (what regedit writes) or in UTF-8 with or
  // without one, or "REGEDIT4" in Windows-1252 (where hex(1), hex(2) and hex(7)
  // hold single-byte text). On a malformed file nothing changes and `error` says
  // which line is wrong and why ("line 3: hex(7) needs an even number of bytes").
  bool Import(std::string_view text, std::string* error);

  // Reads a real file (refused when it is not a regular file); `error` names the
  // file and the line. Save writes it as Export() does, through a temporary file
  // (see real_files.h): on failure the old file is kept and `error` says why.
  bool Load(const std::string& path, std::string* error);
  bool Save(const std::string& path, std::string* error) const;

 private:
  struct Key {
    std::string name;  // as first spelled; "" for HKEY_CURRENT_USER itself
    std::map<std::string, std::unique_ptr<Key>> children;  // by folded name
    std::vector<std::pair<std::string, RegValue>> values;  // in the order first written
    std::unordered_map<std::string, size_t> positions;     // folded name -> index

    const RegValue* Value(std::string_view value_name) const;
    void Set(std::string_view value_name, const RegValue& value);
    bool Erase(std::string_view value_name);
  };
  static std::string Fold(std::string_view text);
  // The components of a path, without empty ones ("A\\B\" is A, B).
  static std::vector<std::string_view> Components(std::string_view path);
  const Key* Find(std::string_view path) const;
  Key* Find(std::string_view path) {
    return const_cast<Key*>(static_cast<const SimRegistry*>(this)->Find(path));
  }
  // The key and its missing parents, created in `root`.
  static Key& Create(Key& root, const std::vector<std::string_view>& components);
  bool Check(std::string_view member);
  // The value's key in writes_: its folded path and name.
  static std::string WriteKey(std::string_view path, std::string_view name);

  FaultInjector* faults_;
  Key root_;
  std::unordered_map<std::string, uint64_t> writes_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_REGISTRY_H_
