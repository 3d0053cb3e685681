#include "sim/comhost/redirected_imports.h"

#include <cstring>

#include "platform/win32/import_table.h"

namespace pinlet::comhost {

RedirectedImports::RedirectedImports(HMODULE module, std::span<const Redirect> redirects)
    : module_(module) {
  for (const Redirect& redirect : redirects) {
    void* original =
        ReplaceImport(module_, redirect.library, redirect.function, redirect.replacement);
    if (original)
      replaced_.push_back({redirect.library, redirect.function, original});
    else
      missing_ += std::string(missing_.empty() ? "" : ", ") + redirect.function;
  }
}

RedirectedImports::~RedirectedImports() {
  for (const Replaced& replaced : replaced_)
    ReplaceImport(module_, replaced.library, replaced.function, replaced.original);
}

void* RedirectedImports::original(const char* function) const {
  for (const Replaced& replaced : replaced_)
    if (std::strcmp(replaced.function, function) == 0) return replaced.original;
  return nullptr;
}

}  // namespace pinlet::comhost
