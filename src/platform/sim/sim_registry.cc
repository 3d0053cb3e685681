#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cctype>

#include "platform/host_error.h"
#include "platform/sim/fault_injector.h"

namespace pinlet::sim {

std::string SimRegistry::Fold(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Drops empty components so that "A\\B\" and "A\B" name the same key.
std::string SimRegistry::Normalize(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

bool SimRegistry::Check(std::string_view member) {
  // Registry failures are answers (nullopt, false), never raised errors.
  return !faults_ || !faults_->Fails(member);
}

SimRegistry::Key* SimRegistry::Find(std::string_view path) {
  auto it = keys_.find(Fold(Normalize(path)));
  return it == keys_.end() ? nullptr : &it->second;
}

Registry::Read SimRegistry::ReadValue(std::string_view path, std::string_view name,
                                     RegValue* value) {
  if (!Check("RegQueryValueEx")) return Read::kFailed;
  Key* key = Find(path);
  if (!key) return Read::kAbsent;
  std::string folded = Fold(name);
  for (auto& [value_name, stored] : key->values) {
    if (Fold(value_name) == folded) {
      *value = stored;
      return Read::kFound;
    }
  }
  return Read::kAbsent;
}

bool SimRegistry::SetValue(std::string_view path, std::string_view name,
                           const RegValue& value) {
  if (!Check("RegSetValueEx")) return false;
  std::string normal = Normalize(path);
  if (normal.empty()) return false;
  // Create the key and its parents, as RegCreateKeyEx does.
  size_t pos = 0;
  while (true) {
    pos = normal.find('\\', pos);
    std::string prefix = normal.substr(0, pos);
    auto [it, inserted] = keys_.try_emplace(Fold(prefix));
    if (inserted) it->second.path = prefix;
    if (pos == std::string::npos) break;
    ++pos;
  }
  Key& key = keys_[Fold(normal)];
  std::string folded = Fold(name);
  for (auto& [value_name, stored] : key.values) {
    if (Fold(value_name) == folded) {
      stored = value;
      return true;
    }
  }
  key.values.emplace_back(std::string(name), value);
  return true;
}

std::optional<std::vector<std::string>> SimRegistry::EnumValueNames(
    std::string_view path) {
  if (!Check("RegEnumValue")) return std::nullopt;
  Key* key = Find(path);
  if (!key) return std::nullopt;
  std::vector<std::string> names;
  for (auto& [name, value] : key->values) names.push_back(name);
  return names;
}

std::optional<std::vector<std::string>> SimRegistry::EnumSubkeys(std::string_view path) {
  if (!Check("RegEnumKeyEx")) return std::nullopt;
  std::string prefix = Fold(Normalize(path));
  if (!prefix.empty() && !keys_.count(prefix)) return std::nullopt;
  if (!prefix.empty()) prefix += '\\';
  std::vector<std::string> names;
  for (auto& [folded, key] : keys_) {
    if (folded.size() <= prefix.size() || folded.compare(0, prefix.size(), prefix) != 0)
      continue;
    if (folded.find('\\', prefix.size()) != std::string::npos) continue;
    names.push_back(key.path.substr(prefix.size()));
  }
  return names;
}

bool SimRegistry::KeyExists(std::string_view path) {
  if (!Check("RegOpenKeyEx")) return false;
  return Find(path) != nullptr;
}

bool SimRegistry::DeleteValue(std::string_view path, std::string_view name) {
  if (!Check("RegDeleteValue")) return false;
  Key* key = Find(path);
  if (!key) return false;
  std::string folded = Fold(name);
  auto it = std::find_if(key->values.begin(), key->values.end(),
                         [&](const auto& entry) { return Fold(entry.first) == folded; });
  if (it == key->values.end()) return false;
  key->values.erase(it);
  return true;
}

std::vector<std::string> SimRegistry::AllKeys() const {
  std::vector<std::string> out;
  for (auto& [folded, key] : keys_) out.push_back(key.path);
  return out;
}

}  // namespace pinlet::sim
