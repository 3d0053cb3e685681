#include "store/parent_marking.h"

#include "addin/helper_libraries.h"
#include "addin/settings.h"
#include "platform/host_error.h"
#include "store/item_markers.h"
#include "store/note_property.h"

namespace pinlet {
namespace {

constexpr const char* kSetItemFlagTag = "basFlag(Sub SetItemFlag)";

// The helper library that writes items' flag properties, or nullptr when it
// could not be made; `missing` tells whether it is not installed, which the
// user is then told once.
std::shared_ptr<MapiUtils> FlagWriter(AddinContext& ctx, bool& missing) {
  auto utils =
      TryCreate([&] { return Must(ctx.platform.objects).CreateMapiUtils(); }, missing);
  if (missing) TellLibraryMissing(ctx, HelperLibrary::kRedemption, kSetItemFlagTag);
  return utils;
}

// Whether items other than mail can be flagged: the library is installed
// (when it is not, the user is told once).
bool CanFlagOtherItems(AddinContext& ctx) {
  bool missing = false;
  FlagWriter(ctx, missing);
  return !missing;
}

// The flag colour option, read as a byte: anything outside 0..255 is 0.
int32_t FlagIndex(AddinContext& ctx) {
  int32_t index = ReadNumber(ctx.registry(), kNoteKey, "FlagIndex");
  return index < 0 || index > 255 ? 0 : index;
}

// The flag colour through its MAPI property; without the library that
// writes it the colour is left out, and the user is told once.
void SetItemIcon(AddinContext& ctx, const ol::ItemPtr& item, int32_t icon) {
  bool missing = false;
  auto utils = FlagWriter(ctx, missing);
  if (!utils) return;
  IgnoreError([&] { utils->HrSetOneProp(item, kPrFlagIcon, Variant(icon), true); });
}

void WriteFlag(AddinContext& ctx, const ol::ItemPtr& item, int32_t status, int32_t icon,
               const char* request) {
  int cls = 0;
  IgnoreError([&] { cls = item->Class(); });
  if (cls == ol::kMail) {
    IgnoreError([&] { item->Put("FlagStatus", Variant(status)); });
    // Outlook 2002's mail has no FlagIcon member: the colour goes in through
    // its MAPI property, as for the other classes.
    std::optional<HostError> failed =
        Attempt([&] { item->Put("FlagIcon", Variant(icon)); });
    if (failed && failed->number() == errors::kNotSupported) SetItemIcon(ctx, item, icon);
  } else {
    SetItemFlag(ctx, item, status, icon);
  }
  IgnoreError([&] { item->Put("FlagRequest", Variant(request)); });
}

}  // namespace

bool GetItemFlag(AddinContext& ctx, const ol::ItemPtr& item, int32_t& status,
                 int32_t& icon) {
  bool missing = false;
  auto utils =
      TryCreate([&] { return Must(ctx.platform.objects).CreateMapiUtils(); }, missing);
  bool known = false;
  if (utils) {
    std::optional<HostError> error =
        Attempt([&] { status = ToLong(utils->HrGetOneProp(item, kPrFlagStatus)); });
    // An item that never had a flag has no flag status at all.
    known = !error || error->number() == errors::kNotFound;
    if (error && known) status = 0;
    icon = 0;
    if (status == 2)
      IgnoreError([&] { icon = ToLong(utils->HrGetOneProp(item, kPrFlagIcon)); });
  } else if (missing && TryGet([&] { return item->Class() == ol::kMail; })) {
    // A mail's flag is in its own members.
    known = IgnoreError([&] { status = ToLong(item->Get("FlagStatus")); });
    icon = 0;
    if (known && status == 2) IgnoreError([&] { icon = ToLong(item->Get("FlagIcon")); });
  }
  return known;
}

void SetItemFlag(AddinContext& ctx, const ol::ItemPtr& item, int32_t status,
                 int32_t icon) {
  bool missing = false;
  auto utils = FlagWriter(ctx, missing);
  if (!utils) return;
  IgnoreError([&] { utils->HrSetOneProp(item, kPrFlagStatus, Variant(status), true); });
  IgnoreError([&] { utils->HrSetOneProp(item, kPrFlagIcon, Variant(icon), true); });
}

void SetParentItemProperties(AddinContext& ctx, const ol::ItemPtr& item, bool has_note) {
  // While a note window loads or deletes its note, its parent is left
  // alone.
  if (ctx.note_loading || !item) return;
  ItemUpdateScope updating(ctx);
  Markers markers(ctx, item);
  bool changed = false;
  std::optional<std::string> marker = markers.Read(kHasNoteProperty);
  if (!marker && has_note) {
    markers.Write(kHasNoteProperty, "TRUE", false);
    changed = true;
  } else if (marker && has_note && *marker == "FALSE") {
    markers.Write(kHasNoteProperty, "TRUE", true);
    changed = true;
  } else if (marker && !has_note && *marker == "TRUE") {
    markers.Write(kHasNoteProperty, "FALSE", true);
    changed = true;
  }

  std::optional<std::string> flag = markers.Read(kFlagProperty);
  if (has_note && !flag && ReadCheck(ctx.registry(), kNoteKey, "MarkWithFlag")) {
    int32_t status = 0, icon = 0;
    bool known = GetItemFlag(ctx, item, status, icon);
    bool overwrite = ReadCheck(ctx.registry(), kNoteKey, "OverwriteFlag");
    bool mail = TryGet([&] { return item->Class() == ol::kMail; });
    // A flag that could not be read may be the user's own: only "overwrite"
    // replaces it, and only on a mail, whose flag is written through its own
    // members. Without the helper library no other item can be flagged.
    bool can_write = mail || CanFlagOtherItems(ctx);
    if (can_write && (known ? status == 0 || overwrite : overwrite && mail)) {
      markers.Write(kFlagProperty, "TRUE", false);
      WriteFlag(ctx, item, 2, FlagIndex(ctx), kFlagRequestText);
      changed = true;
    }
  }
  if (!has_note && flag && *flag == "TRUE") {
    markers.Remove(kFlagProperty);
    WriteFlag(ctx, item, 0, 0, "");
    changed = true;
  }
  if (changed) markers.Save();
}

}  // namespace pinlet
