#include "sim/machine/sim_registry.h"

#include <algorithm>
#include <cctype>

#include "platform/host_error.h"
#include "sim/machine/fault_injector.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

// A key or value name that Windows can hold and the registry file can
// hold exactly: no line break either.
bool IsWritableName(std::string_view name) {
  return IsRegistryName(name) && name.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

std::string SimRegistry::Fold(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string_view> SimRegistry::Components(std::string_view path) {
  std::vector<std::string_view> out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) out.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

const RegValue* SimRegistry::Key::Value(std::string_view value_name) const {
  auto it = positions.find(Fold(value_name));
  return it == positions.end() ? nullptr : &values[it->second].second;
}

void SimRegistry::Key::Set(std::string_view value_name, const RegValue& value) {
  auto [it, inserted] = positions.try_emplace(Fold(value_name), values.size());
  if (inserted) {
    values.emplace_back(std::string(value_name), value);
  } else {
    values[it->second].second = value;
  }
}

bool SimRegistry::Key::Erase(std::string_view value_name) {
  auto it = positions.find(Fold(value_name));
  if (it == positions.end()) return false;
  const size_t at = it->second;
  positions.erase(it);
  values.erase(values.begin() + static_cast<std::ptrdiff_t>(at));
  for (size_t i = at; i < values.size(); ++i) positions[Fold(values[i].first)] = i;
  return true;
}

const SimRegistry::Key* SimRegistry::Find(std::string_view path) const {
  const Key* key = &root_;
  for (std::string_view component : Components(path)) {
    auto it = key->children.find(Fold(component));
    if (it == key->children.end()) return nullptr;
    key = it->second.get();
  }
  return key == &root_ ? nullptr : key;
}

SimRegistry::Key& SimRegistry::Create(Key& root,
                                      const std::vector<std::string_view>& components) {
  Key* key = &root;
  for (std::string_view component : components) {
    auto [it, inserted] = key->children.try_emplace(Fold(component));
    if (inserted) {
      it->second = std::make_unique<Key>();
      it->second->name = std::string(component);
    }
    key = it->second.get();
  }
  return *key;
}

bool SimRegistry::Check(std::string_view member) {
  // Registry failures are answers (nullopt, false), never raised errors.
  return !faults_ || !faults_->Fails(member);
}

Registry::Read SimRegistry::ReadValue(std::string_view path, std::string_view name,
                                      RegValue* value) {
  if (!Check("RegQueryValueEx")) return Read::kFailed;
  const Key* key = Find(path);
  if (!key) return Read::kAbsent;
  const RegValue* stored = key->Value(name);
  if (!stored) return Read::kAbsent;
  *value = *stored;
  return Read::kFound;
}

bool SimRegistry::SetValue(std::string_view path, std::string_view name,
                           const RegValue& value) {
  if (!Check("RegSetValueEx")) return false;
  const std::optional<std::vector<std::string_view>> components = RegistryKeyNames(path);
  if (!components || components->empty() || components->size() > kMaxDepth) return false;
  for (std::string_view component : *components)
    if (!IsWritableName(component)) return false;
  if (!IsWritableName(name) || !IsStorableValue(value)) return false;
  // Creates the key and its parents, as RegCreateKeyEx does.
  Create(root_, *components).Set(name, value);
  ++writes_[WriteKey(path, name)];
  return true;
}

std::string SimRegistry::WriteKey(std::string_view path, std::string_view name) {
  std::string key;
  for (std::string_view component : Components(path)) key += Fold(component) + "\\";
  return key + "\n" + Fold(name);
}

uint64_t SimRegistry::WritesOf(std::string_view path, std::string_view name) const {
  auto it = writes_.find(WriteKey(path, name));
  return it == writes_.end() ? 0 : it->second;
}

std::optional<std::vector<std::string>> SimRegistry::EnumValueNames(
    std::string_view path) {
  if (!Check("RegEnumValue")) return std::nullopt;
  const Key* key = Find(path);
  if (!key) return std::nullopt;
  std::vector<std::string> names;
  for (auto& [name, value] : key->values) names.push_back(name);
  return names;
}

std::optional<std::vector<std::string>> SimRegistry::EnumSubkeys(std::string_view path) {
  if (!Check("RegEnumKeyEx")) return std::nullopt;
  const Key* key = Components(path).empty() ? &root_ : Find(path);
  if (!key) return std::nullopt;
  std::vector<std::string> names;
  for (auto& [folded, child] : key->children) names.push_back(child->name);
  return names;
}

bool SimRegistry::KeyExists(std::string_view path) {
  if (!Check("RegOpenKeyEx")) return false;
  return Find(path) != nullptr;
}

bool SimRegistry::DeleteValue(std::string_view path, std::string_view name) {
  if (!Check("RegDeleteValue")) return false;
  Key* key = Find(path);
  return key && key->Erase(name);
}

bool SimRegistry::RemoveKey(std::string_view path) {
  std::vector<std::string_view> components = Components(path);
  if (components.empty()) return false;
  std::string_view last = components.back();
  components.pop_back();
  Key* parent = &root_;
  for (std::string_view name : components) {
    auto it = parent->children.find(Fold(name));
    if (it == parent->children.end()) return false;
    parent = it->second.get();
  }
  return parent->children.erase(Fold(last)) > 0;
}

std::vector<std::string> SimRegistry::AllKeys() const {
  std::vector<std::string> out;
  // Depth-first without recursion: (key, length of its parent's path).
  std::vector<std::pair<const Key*, size_t>> pending;
  for (auto it = root_.children.rbegin(); it != root_.children.rend(); ++it)
    pending.emplace_back(it->second.get(), 0);
  std::string path;
  while (!pending.empty()) {
    auto [key, parent_length] = pending.back();
    pending.pop_back();
    path.resize(parent_length);
    if (parent_length) path += '\\';
    path += key->name;
    out.push_back(path);
    for (auto it = key->children.rbegin(); it != key->children.rend(); ++it)
      pending.emplace_back(it->second.get(), path.size());
  }
  return out;
}

}  // namespace pinlet::sim
