// The simulated machine's own side of the clipboard when it is a host's (see
// SimClipboard::UseHostClipboard): the same looks and changes, built on the
// calls of platform/clipboard.h, with the answers the clipboard in memory
// gives.
#include <algorithm>

#include "sim/machine/sim_clipboard.h"

namespace pinlet::sim {
namespace {

// Standard formats the system synthesises beside those of clipboard.h.
constexpr uint32_t kMetafilePicture = 3;
constexpr uint32_t kEnhancedMetafile = 14;
constexpr uint32_t kLocale = 16;
constexpr uint32_t kDibV5 = 17;

bool IsText(uint32_t format) {
  return format == cf::kText || format == cf::kOemText || format == cf::kUnicodeText;
}

bool IsBitmap(uint32_t format) {
  return format == cf::kBitmap || format == cf::kDib || format == kDibV5;
}

bool IsMetafile(uint32_t format) {
  return format == kMetafilePicture || format == kEnhancedMetafile;
}

// Whether the system can make `format` from `source`.
bool MadeFrom(uint32_t format, uint32_t source) {
  if (format == source) return false;
  if (IsText(format) || format == kLocale) return IsText(source);
  return (IsBitmap(format) && IsBitmap(source)) ||
         (IsMetafile(format) && IsMetafile(source));
}

}  // namespace

template <typename Look>
bool SimClipboard::WithHostOpen(Look&& look) const {
  if (open_) {
    look();
    return true;
  }
  if (!host_->Open()) return false;
  look();
  host_->Close();
  return true;
}

std::vector<uint32_t> SimClipboard::HostFormatsAsSet() const {
  std::vector<uint32_t> formats = host_->EnumFormats();
  // The synthesised formats come last; each was made from one set before.
  size_t set = formats.size();
  while (set > 0 &&
         std::any_of(formats.begin(), formats.begin() + set - 1,
                     [&](uint32_t source) { return MadeFrom(formats[set - 1], source); }))
    --set;
  formats.resize(set);
  return formats;
}

bool SimClipboard::HostCanOpen() const {
  return WithHostOpen([] {});
}

const std::string* SimClipboard::HostPeek(uint32_t format) const {
  peeked_.reset();
  WithHostOpen([&] {
    std::vector<uint32_t> as_set = HostFormatsAsSet();
    if (std::find(as_set.begin(), as_set.end(), format) != as_set.end())
      peeked_ = host_->GetData(format);
  });
  return peeked_ ? &*peeked_ : nullptr;
}

const std::vector<std::pair<uint32_t, std::string>>& SimClipboard::HostContents() const {
  host_contents_.clear();
  WithHostOpen([&] {
    for (uint32_t format : HostFormatsAsSet())
      if (std::optional<std::string> block = host_->GetData(format))
        host_contents_.emplace_back(format, std::move(*block));
  });
  return host_contents_;
}

void SimClipboard::HostPut(std::vector<std::pair<uint32_t, std::string>> blocks) {
  WithHostOpen([&] {
    host_->Empty();
    for (auto& [format, block] : blocks) host_->SetData(format, std::move(block));
  });
}

uint32_t SimClipboard::HostRegisteredFormat(std::string_view name) const {
  uint32_t number = host_->RegisterFormat(name);
  bool known = std::any_of(host_names_.begin(), host_names_.end(),
                           [&](const auto& entry) { return entry.first == number; });
  if (number && !known) host_names_.emplace_back(number, std::string(name));
  return number;
}

}  // namespace pinlet::sim
