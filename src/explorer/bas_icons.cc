#include "explorer/bas_icons.h"

#include "addin/error_report.h"
#include "notewindow/c_clipboard.h"
#include "platform/call_failed.h"
#include "platform/clipboard.h"
#include "platform/dib.h"
#include "platform/host_error.h"

namespace pinlet {
namespace {

// Where a DIB's header keeps its bit count and its image size.
constexpr size_t kBitCountOffset = 14;
constexpr size_t kSizeImageOffset = 20;
// What the mask's block holds beyond its bits: the header, the colour table
// and two spare bytes.
constexpr size_t kMaskBlockExtra = 50;

uint32_t Read32(const std::string& block, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<uint8_t>(block[at + static_cast<size_t>(i)]);
  return value;
}

uint16_t Read16(const std::string& block, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(block[at]) |
                               static_cast<uint8_t>(block[at + 1]) << 8);
}

// Empties the clipboard; false when it cannot be opened.
bool ClearClipboard(Clipboard& clipboard) {
  if (!clipboard.Open()) return false;
  clipboard.Empty();
  clipboard.Close();
  return true;
}

// Runs `body` with the clipboard opened, and closes it again even when
// `body` raises. A clipboard that cannot be opened or closed raises.
template <typename Body>
void WithClipboardOpen(Clipboard& clipboard, Body&& body) {
  Succeeded(clipboard.Open(), "OpenClipboard");
  if (std::optional<HostError> error = Attempt(std::forward<Body>(body))) {
    clipboard.Close();
    throw *error;
  }
  Succeeded(clipboard.Close(), "CloseClipboard");
}

// Replaces the clipboard's contents by one block; raises when the clipboard
// cannot be opened, emptied or refuses the block.
void PutOnClipboard(Clipboard& clipboard, uint32_t format, std::string block) {
  WithClipboardOpen(clipboard, [&] {
    Succeeded(clipboard.Empty(), "EmptyClipboard");
    Succeeded(clipboard.SetData(format, std::move(block)), "SetClipboardData");
  });
}

// Runs `paste` between saving and restoring the user's clipboard, with the
// clipboard cleared before and after. Nothing runs when the clipboard cannot
// be saved. A HostError of `paste` is raised again once the clipboard is back.
template <typename Paste>
void WithClipboardKept(AddinContext& ctx, Paste&& paste) {
  Clipboard& clipboard = *ctx.platform.clipboard;
  CClipboard saved(clipboard);
  if (!saved.Save()) return;
  std::optional<HostError> error;
  if (ClearClipboard(clipboard)) error = Attempt(std::forward<Paste>(paste));
  ClearClipboard(clipboard);
  saved.Restore();
  if (error) throw *error;
}

}  // namespace

std::optional<std::string> CreateButtonMask(AddinContext& ctx, const Picture& picture,
                                            uint32_t transparent) {
  if (picture.empty() || picture.width < kMinMaskSide || picture.height < kMinMaskSide ||
      picture.width > kMaxMaskSide || picture.height > kMaxMaskSide)
    return std::nullopt;
  return RunGuarded(ctx, "basIcons(Sub CreateButtonMask)", std::optional<std::string>(),
                    [&](Proc&) {
                      return Succeeded(
                          Must(ctx.platform.graphics).CreateButtonMask(picture, transparent),
                          "CreateButtonMask");
                    });
}

void CopyButtonMaskToClipboard(AddinContext& ctx, const std::string& mask) {
  if (mask.size() < kMaskBitsOffset) return;
  uint32_t image_size = Read32(mask, kSizeImageOffset);
  if (Read16(mask, kBitCountOffset) != 1 || image_size == 0) return;
  if (mask.size() < kMaskBitsOffset + image_size) return;
  RunGuardedSub(ctx, "basIcons(Sub CopyButtonMaskToClipboard)", [&](Proc&) {
    Clipboard& clipboard = *ctx.platform.clipboard;
    WithClipboardOpen(clipboard, [&] {
      uint32_t face_format =
          Succeeded(clipboard.RegisterFormat(kButtonFaceFormat), "RegisterClipboardFormat");
      uint32_t mask_format =
          Succeeded(clipboard.RegisterFormat(kButtonMaskFormat), "RegisterClipboardFormat");
      if (clipboard.IsFormatAvailable(cf::kDib)) {
        std::string dib = *Succeeded(clipboard.GetData(cf::kDib), "GetClipboardData");
        Succeeded(clipboard.SetData(face_format, std::move(dib)), "SetClipboardData");
      }
      std::string block(image_size + kMaskBlockExtra, '\0');
      block.replace(0, kMaskBitsOffset + image_size, mask, 0, kMaskBitsOffset + image_size);
      Succeeded(clipboard.SetData(mask_format, std::move(block)), "SetClipboardData");
    });
  });
}

bool CopyBitmapAsButtonFace(AddinContext& ctx, const Picture& picture,
                            uint32_t transparent) {
  std::optional<std::string> mask = CreateButtonMask(ctx, picture, transparent);
  if (!mask) return false;
  if (!RunGuardedSub(ctx, "basIcons(Sub CopyBitmapAsButtonFace)", [&](Proc&) {
        PutOnClipboard(*ctx.platform.clipboard, cf::kDib, DibFromPicture(picture));
      }))
    return false;
  CopyButtonMaskToClipboard(ctx, *mask);
  return true;
}

void PasteButtonFace(AddinContext& ctx, const office::CommandBarControlPtr& button,
                     const Picture& picture, uint32_t transparent) {
  if (picture.empty()) return;
  WithClipboardKept(ctx, [&] {
    if (CopyBitmapAsButtonFace(ctx, picture, transparent)) Must(button).PasteFace();
  });
}

void SetBtnFace(AddinContext& ctx, const office::CommandBarControlPtr& button,
                const Picture& face, const Picture& mask) {
  ReportedSteps step(ctx, "basIcons(Sub SetBtnFace)");
  if (HostMajorVersion(ctx) >= 10) {
    step([&] { Must(button).SetPicture(face); });
    step([&] { Must(button).SetMask(mask); });
    return;
  }
  // Earlier versions paste the face as a plain bitmap: no transparency.
  if (face.empty() || face.width > kMaxMaskSide || face.height > kMaxMaskSide) return;
  step([&] {
    WithClipboardKept(ctx, [&] {
      PutOnClipboard(*ctx.platform.clipboard, cf::kBitmap, DibFromPicture(face));
      Must(button).PasteFace();
    });
  });
}

int HostMajorVersion(AddinContext& ctx) {
  std::string version = TryGet([&] { return Must(ctx.host).Version(); });
  int major = 0;
  for (char c : version) {
    if (c < '0' || c > '9' || major > 100000) break;
    major = major * 10 + (c - '0');
  }
  return major;
}

}  // namespace pinlet
