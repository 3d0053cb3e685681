#include "platform/win32/ansi_text.h"

#include <windows.h>

#include "platform/wide_text.h"

namespace pinlet {

std::string Utf8ToAnsi(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return "";
  const int wide_length = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0,
                                   nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, ansi.data(), length, nullptr,
                      nullptr);
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return "";
  const int ansi_length = static_cast<int>(ansi.size());
  int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansi_length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansi_length, wide.data(), length);
  return Narrow(wide);
}

}  // namespace pinlet
