#include "notewindow/c_clipboard.h"

namespace pinlet {

bool CClipboard::Save() {
  entries_.clear();
  saved_ = false;
  if (!clipboard_.Open()) return false;
  for (uint32_t format : clipboard_.EnumFormats()) {
    std::optional<std::string> data = clipboard_.GetData(format);
    if (data && !data->empty()) entries_.push_back({format, std::move(*data)});
  }
  clipboard_.Close();
  saved_ = true;
  return true;
}

bool CClipboard::Restore() {
  if (entries_.empty()) return true;
  if (!clipboard_.Open()) return false;
  bool all = clipboard_.Empty();
  for (const Entry& entry : entries_) all = clipboard_.SetData(entry.format, entry.data) && all;
  clipboard_.Close();
  return all;
}

}  // namespace pinlet
