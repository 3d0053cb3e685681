#include "sim/comhost/registry_mirror.h"

#include <windows.h>

#include <functional>

#include "platform/win32/registry_keys.h"

namespace pinlet::comhost {
namespace {

// Calls `visit(path)` for `path` and every key below it in `registry`.
void VisitKeys(Registry& registry, const std::string& path,
               const std::function<void(const std::string&)>& visit) {
  visit(path);
  for (const std::string& name :
       registry.EnumSubkeys(path).value_or(std::vector<std::string>{}))
    VisitKeys(registry, path + "\\" + name, visit);
}

// Copies every value of `path` and the keys below it from `from` into `to`.
bool CopyValues(Registry& from, Registry& to, const std::string& path) {
  bool copied = true;
  VisitKeys(from, path, [&](const std::string& key) {
    for (const std::string& name :
         from.EnumValueNames(key).value_or(std::vector<std::string>{})) {
      RegValue value;
      if (from.ReadValue(key, name, &value) == Registry::Read::kFound)
        copied = to.SetValue(key, name, value) && copied;
    }
  });
  return copied;
}

}  // namespace

RegistryMirror::RegistryMirror(std::string branch, Registry* real)
    : branch_(std::move(branch)), real_(real) {}

sim::SimRegistry RegistryMirror::ReadReal() {
  sim::SimRegistry copy;
  if (real_->KeyExists(branch_)) CopyValues(*real_, copy, branch_);
  return copy;
}

bool RegistryMirror::Push(sim::SimRegistry& simulated) {
  std::string text = simulated.Export(branch_);
  if (text == last_) return true;
  DeleteKeyTree(HKEY_CURRENT_USER, branch_);
  bool copied = !simulated.KeyExists(branch_) || CopyValues(simulated, *real_, branch_);
  last_ = text;
  return copied;
}

void RegistryMirror::Pull(sim::SimRegistry& simulated) {
  sim::SimRegistry real = ReadReal();
  std::string text = real.Export(branch_);
  if (text == last_) return;
  simulated.RemoveKey(branch_);
  if (real.KeyExists(branch_)) CopyValues(real, simulated, branch_);
  last_ = text;
}

}  // namespace pinlet::comhost
