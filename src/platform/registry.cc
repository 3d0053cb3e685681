#include "platform/registry.h"

#include "platform/text.h"

namespace pinlet {

RegValue RegValue::Dword(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return {kRegDword, bytes};
}

uint32_t RegValue::dword() const {
  uint32_t value = 0;
  for (int i = 0; i < 4 && i < static_cast<int>(data.size()); ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  return value;
}

bool IsRegistryName(std::string_view name) {
  return name.find('\0') == std::string_view::npos &&
         FindInvalidUtf8(name) == std::string_view::npos;
}

std::optional<std::vector<std::string_view>> RegistryKeyNames(std::string_view path) {
  std::vector<std::string_view> names;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      std::string_view name = path.substr(start, end - start);
      if (!IsRegistryName(name) || Utf8ToUtf16(name).size() > kMaxKeyNameLength)
        return std::nullopt;
      names.push_back(name);
    }
    start = end + 1;
  }
  return names;
}

bool IsStorableValue(const RegValue& value) {
  switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz:
      return FindInvalidUtf8(value.data) == std::string::npos;
    case kRegDword:
      return value.data.size() == 4;
    default:
      return true;
  }
}

}  // namespace pinlet
