#include "addin/settings.h"

namespace pinlet {

std::optional<Variant> ReadValueIfReadable(Registry& registry, std::string_view section,
                                           std::string_view name) {
  RegValue value;
  switch (registry.ReadValue(section, name, &value)) {
    case Registry::Read::kFailed:
      return std::nullopt;
    case Registry::Read::kAbsent:
      return Variant();
    case Registry::Read::kFound:
      break;
  }
  if (value.type == kRegSz) {
    std::string text = value.data;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return Variant(std::move(text));
  }
  if (value.type == kRegDword && value.data.size() == 4)
    return Variant(static_cast<int32_t>(value.dword()));
  return Variant();
}

Variant ReadValue(Registry& registry, RootKey, std::string_view section,
                  std::string_view name) {
  return ReadValueIfReadable(registry, section, name).value_or(Variant());
}

bool WriteValue(Registry& registry, RootKey, std::string_view section,
                std::string_view name, const Variant& value, int type) {
  if (!section.empty() && section.front() == '\\') section.remove_prefix(1);
  if (section.empty()) return false;
  if (type == kWriteText)
    return registry.SetValue(section, name, RegValue::Text(ToText(value)));
  if (type == kWriteDword)
    return registry.SetValue(section, name,
                             RegValue::Dword(static_cast<uint32_t>(ToLong(value))));
  return false;
}

std::string GetInstallDir(Registry& registry) {
  return ReadText(registry, kPinletKey, "InstDir");
}

std::string GetMyDir(Registry& registry) {
  return ReadText(registry, kPinletKey, "MyDir");
}

std::string ReadText(Registry& registry, std::string_view section,
                     std::string_view name) {
  return ToText(ReadValue(registry, RootKey::kCurrentUser, section, name));
}

int32_t ReadNumber(Registry& registry, std::string_view section, std::string_view name) {
  return ToLong(ReadValue(registry, RootKey::kCurrentUser, section, name));
}

uint32_t ReadNoteBackColor(Registry& registry) {
  Variant back = ReadValue(registry, RootKey::kCurrentUser, kNoteKey, "BackColor");
  if (back.IsEmpty()) return kDefaultNoteColour;
  return static_cast<uint32_t>(ToLong(back)) & 0xFFFFFF;
}

bool ReadCheck(Registry& registry, std::string_view section, std::string_view name) {
  return ReadNumber(registry, section, name) == 1;
}

bool WriteText(Registry& registry, std::string_view section, std::string_view name,
               std::string_view text) {
  return WriteValue(registry, RootKey::kCurrentUser, section, name, Variant(text),
                    kWriteText);
}

bool cRegistry::EnumerateValues(std::vector<std::string>& names, int& count) {
  std::optional<std::vector<std::string>> found = registry_.EnumValueNames(SectionKey);
  if (!found) return false;
  names = std::move(*found);
  count = static_cast<int>(names.size());
  return true;
}

}  // namespace pinlet
