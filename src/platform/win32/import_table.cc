#include "platform/win32/import_table.h"

#include <cstring>

namespace pinlet {
namespace {

template <typename T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

// The module's import descriptors, ending with an empty one; nullptr when
// the module has none or is no image.
IMAGE_IMPORT_DESCRIPTOR* Imports(HMODULE module) {
  if (!module) return nullptr;
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = At<IMAGE_NT_HEADERS>(module, dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!directory.VirtualAddress || !directory.Size) return nullptr;
  return At<IMAGE_IMPORT_DESCRIPTOR>(module, directory.VirtualAddress);
}

}  // namespace

void* ReplaceImport(HMODULE module, const char* library, const char* function,
                    void* replacement) {
  IMAGE_IMPORT_DESCRIPTOR* descriptor = Imports(module);
  for (; descriptor && descriptor->Name; ++descriptor) {
    if (_stricmp(At<char>(module, descriptor->Name), library) != 0) continue;
    // The names are in the lookup table; once bound, the address table holds
    // only addresses.
    if (!descriptor->OriginalFirstThunk) return nullptr;
    auto* names = At<IMAGE_THUNK_DATA>(module, descriptor->OriginalFirstThunk);
    auto* slots = At<IMAGE_THUNK_DATA>(module, descriptor->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* by_name =
          At<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) != 0)
        continue;
      DWORD protection = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                          &protection))
        return nullptr;
      void* before = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection,
                     &protection);
      return before;
    }
  }
  return nullptr;
}

}  // namespace pinlet
