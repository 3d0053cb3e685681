#include "platform/registry.h"

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

}  // namespace pinlet
