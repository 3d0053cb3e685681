#include "sim/machine/sim_clipboard.h"

#include <algorithm>

#include "sim/machine/fault_injector.h"
#include "sim/machine/mail_store.h"

namespace pinlet::sim {

bool SimClipboard::Open() {
  if (faults_->Fails("OpenClipboard") || held_by_other_) return false;
  if (host_ && !host_->Open()) return false;
  open_ = true;
  return true;
}

bool SimClipboard::Close() {
  if (faults_->Fails("CloseClipboard") || !open_) return false;
  open_ = false;
  changed_while_open_ = false;
  return host_ ? host_->Close() : true;
}

bool SimClipboard::Empty() {
  if (faults_->Fails("EmptyClipboard") || !open_) return false;
  if (host_) return host_->Empty();
  contents_.clear();
  changed_while_open_ = true;
  return true;
}

const std::string* SimClipboard::Find(uint32_t format) const {
  for (auto& [f, bytes] : contents_)
    if (f == format) return &bytes;
  return nullptr;
}

std::vector<uint32_t> SimClipboard::Synthesised() const {
  std::vector<uint32_t> out;
  if (changed_while_open_) return out;
  bool ansi = Find(cf::kText) || Find(cf::kOemText);
  bool unicode = Find(cf::kUnicodeText);
  if (ansi && !unicode) out.push_back(cf::kUnicodeText);
  if (unicode && !Find(cf::kText)) out.push_back(cf::kText);
  if ((unicode || Find(cf::kText)) && !Find(cf::kOemText)) out.push_back(cf::kOemText);
  if (Find(cf::kDib) && !Find(cf::kBitmap)) out.push_back(cf::kBitmap);
  if (Find(cf::kBitmap) && !Find(cf::kDib)) out.push_back(cf::kDib);
  return out;
}

std::vector<uint32_t> SimClipboard::EnumFormats() {
  if (faults_->Fails("EnumClipboardFormats") || !open_) return {};
  if (host_) return host_->EnumFormats();
  std::vector<uint32_t> out;
  for (auto& [format, bytes] : contents_) out.push_back(format);
  for (uint32_t format : Synthesised()) out.push_back(format);
  return out;
}

bool SimClipboard::IsFormatAvailable(uint32_t format) {
  if (faults_->Fails("IsClipboardFormatAvailable")) return false;
  if (host_) return host_->IsFormatAvailable(format);
  auto synthesised = Synthesised();
  return Find(format) ||
         std::find(synthesised.begin(), synthesised.end(), format) != synthesised.end();
}

std::optional<std::string> SimClipboard::GetData(uint32_t format) {
  if (faults_->Fails("GetClipboardData") || !open_) return std::nullopt;
  if (host_) return host_->GetData(format);
  if (const std::string* bytes = Find(format)) return *bytes;
  auto synthesised = Synthesised();
  if (std::find(synthesised.begin(), synthesised.end(), format) == synthesised.end())
    return std::nullopt;
  if (format == cf::kUnicodeText) {
    const std::string* ansi = Find(cf::kText) ? Find(cf::kText) : Find(cf::kOemText);
    return UnicodeTextBlock(TextFromBlock(*ansi));
  }
  if (format == cf::kText || format == cf::kOemText) {
    const std::string* unicode = Find(cf::kUnicodeText);
    return unicode ? TextBlock(TextFromUnicodeBlock(*unicode)) : *Find(cf::kText);
  }
  // A bitmap and its device-independent form carry the same picture.
  return *Find(format == cf::kBitmap ? cf::kDib : cf::kBitmap);
}

bool SimClipboard::SetData(uint32_t format, std::string bytes) {
  if (faults_->Fails("SetClipboardData") || !open_ || format == 0) return false;
  if (host_) {
    if (!host_->SetData(format, bytes)) return false;
    writes_.emplace_back(format, std::move(bytes));
    return true;
  }
  writes_.emplace_back(format, bytes);
  changed_while_open_ = true;
  for (auto& [f, block] : contents_) {
    if (f == format) {
      block = std::move(bytes);
      return true;
    }
  }
  contents_.emplace_back(format, std::move(bytes));
  return true;
}

uint32_t SimClipboard::RegisterFormat(std::string_view name) {
  if (faults_->Fails("RegisterClipboardFormat") || name.empty()) return 0;
  if (host_) return HostRegisteredFormat(name);
  if (uint32_t known = RegisteredFormat(name)) return known;
  registered_.emplace_back(name);
  return cf::kFirstRegistered + static_cast<uint32_t>(registered_.size() - 1);
}

uint32_t SimClipboard::RegisteredFormat(std::string_view name) const {
  if (host_) return name.empty() ? 0 : HostRegisteredFormat(name);
  std::string folded = FoldCase(name);
  for (size_t i = 0; i < registered_.size(); ++i)
    if (FoldCase(registered_[i]) == folded)
      return cf::kFirstRegistered + static_cast<uint32_t>(i);
  return 0;
}

void SimClipboard::UseHostClipboard(Clipboard* host) {
  if (open_ && host_) host_->Close();
  host_ = host;
  open_ = false;
  peeked_.reset();
  host_contents_.clear();
}

bool SimClipboard::held_by_other() const {
  return held_by_other_ || (host_ && !open_ && !HostCanOpen());
}

const std::string* SimClipboard::Peek(uint32_t format) const {
  return host_ ? HostPeek(format) : Find(format);
}

const std::vector<std::pair<uint32_t, std::string>>& SimClipboard::contents() const {
  return host_ ? HostContents() : contents_;
}

void SimClipboard::Put(std::vector<std::pair<uint32_t, std::string>> blocks) {
  if (host_) return HostPut(std::move(blocks));
  contents_ = std::move(blocks);
}

std::string SimClipboard::FormatName(uint32_t format) const {
  switch (format) {
    case cf::kText:
      return "CF_TEXT";
    case cf::kBitmap:
      return "CF_BITMAP";
    case cf::kOemText:
      return "CF_OEMTEXT";
    case cf::kDib:
      return "CF_DIB";
    case cf::kUnicodeText:
      return "CF_UNICODETEXT";
  }
  if (host_) {
    for (const auto& [number, name] : host_names_)
      if (number == format) return "\"" + name + "\"";
  } else if (format >= cf::kFirstRegistered &&
             format - cf::kFirstRegistered < registered_.size()) {
    return "\"" + registered_[format - cf::kFirstRegistered] + "\"";
  }
  return std::to_string(format);
}

}  // namespace pinlet::sim
