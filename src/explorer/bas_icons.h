// basIcons: button faces with a transparent background.
//
// A command bar button takes a transparent face from the clipboard, as the
// formats "Toolbar Button Face" (the picture as a DIB) and "Toolbar Button
// Mask" (a 1-bit DIB whose set bits mark the transparent pixels). Office 10
// and later also take the face and its mask directly (Picture and Mask).
// Every paste keeps the user's clipboard: it is saved first and put back
// afterwards, and a clipboard that cannot be saved is not touched at all (the
// button then keeps its face).
#ifndef PINLET_EXPLORER_BAS_ICONS_H_
#define PINLET_EXPLORER_BAS_ICONS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "addin/context.h"
#include "platform/command_bars.h"
#include "platform/picture.h"

namespace pinlet {

constexpr const char* kButtonFaceFormat = "Toolbar Button Face";
constexpr const char* kButtonMaskFormat = "Toolbar Button Mask";
// The sides a mask can be made for, in pixels.
constexpr int kMinMaskSide = 1;
constexpr int kMaxMaskSide = 30000;

// The mask of `picture` as a 1-bit DIB, made by the machine's graphics:
// pixels of the colour `transparent` become 1, all others 0. nullopt for an
// empty picture or one whose sides are not all from 1 to 30000 pixels; also
// nullopt when the graphics cannot make it, a failure reported with the tag
// "basIcons(Sub CreateButtonMask)".
std::optional<std::string> CreateButtonMask(AddinContext& ctx, const Picture& picture,
                                            uint32_t transparent);

// Puts `mask` (a 1-bit DIB with a non-zero image size; anything else is
// ignored) on the clipboard as "Toolbar Button Mask": its 40-byte header and
// two-entry colour table, then its bits from offset 48, in a block of image
// size + 50 bytes; and a DIB already on the clipboard is copied as "Toolbar
// Button Face". A failing clipboard call ends it and is reported with the
// tag "basIcons(Sub CopyButtonMaskToClipboard)"; the clipboard is closed
// again.
void CopyButtonMaskToClipboard(AddinContext& ctx, const std::string& mask);

// Puts `picture` on the clipboard as a DIB with its mask (see above).
// Returns whether the face is there; false, with the clipboard untouched,
// for a picture that has no mask (empty, or too large), and false when
// the mask cannot be made or the clipboard refuses the face. A failure of
// putting the face there is reported with the tag
// "basIcons(Sub CopyBitmapAsButtonFace)"; one of the mask's with its own.
bool CopyBitmapAsButtonFace(AddinContext& ctx, const Picture& picture,
                            uint32_t transparent);

// Pastes `picture` as the face of `button`, transparent where it has the
// colour `transparent`, keeping the user's clipboard. A failing PasteFace is
// raised to the caller once the clipboard is restored.
void PasteButtonFace(AddinContext& ctx, const office::CommandBarControlPtr& button,
                     const Picture& picture, uint32_t transparent);

// Sets the face of `button`: on Office 10 and later its Picture and Mask, on
// earlier versions the face pasted from the clipboard without a mask. Each
// step continues past errors, which are reported with the tag
// "basIcons(Sub SetBtnFace)".
void SetBtnFace(AddinContext& ctx, const office::CommandBarControlPtr& button,
                const Picture& face, const Picture& mask);

// The major version number of the host this instance serves (the digits
// its Version starts with: Outlook's, or Word's in Word's instance); 0 when
// it cannot be read.
int HostMajorVersion(AddinContext& ctx);

}  // namespace pinlet

#endif  // PINLET_EXPLORER_BAS_ICONS_H_
