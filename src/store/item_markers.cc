#include "store/item_markers.h"

#include "platform/host_error.h"
#include "store/note_property.h"

namespace pinlet {

Markers::Markers(AddinContext& ctx, ol::ItemPtr item)
    : ctx_(ctx), item_(std::move(item)) {
  IgnoreError([&] { document_ = item_->Class() == ol::kDocument; });
  if (document_) IgnoreError([&] { message_ = CdoMessageOf(ctx_, item_); });
}

std::optional<std::string> Markers::Read(const char* name) {
  std::optional<std::string> value;
  Read(name, value);
  return value;
}

bool Markers::Read(const char* name, std::optional<std::string>& value) {
  value.reset();
  if (!document_) {
    return IgnoreError([&] {
      if (auto prop = item_->UserProperties()->Find(name)) value = ToText(prop->Value());
    });
  }
  std::shared_ptr<CdoFields> fields = TryGet([&] { return Must(message_).Fields(); });
  if (!fields) return false;
  NoteRead read = ReadCdoField(*fields, name);
  if (read.found()) value = read.value;
  return read.found() || read.absent();
}

void Markers::Write(const char* name, const char* value, bool exists) {
  IgnoreError([&] {
    if (document_) {
      auto fields = Must(message_).Fields();
      if (exists) {
        fields->Item(name)->SetValue(Variant(value));
      } else {
        IgnoreError([&] { item_->UserProperties()->Add(name, ol::kOlText, true); });
        fields->Add(name, 8, Variant(value));
      }
      return;
    }
    auto props = item_->UserProperties();
    ol::UserPropertyPtr prop =
        exists ? props->Find(name) : props->Add(name, ol::kOlText, true);
    Must(prop).SetValue(Variant(value));
  });
}

void Markers::Remove(const char* name) {
  IgnoreError([&] {
    if (document_) {
      Must(message_).Fields()->Item(name)->Delete();
      return;
    }
    Must(item_->UserProperties()->Find(name)).Delete();
  });
}

bool Markers::Save() {
  return IgnoreError([&] {
    if (document_) {
      Must(message_).Update();
    } else {
      item_->Save();
    }
  });
}

}  // namespace pinlet
