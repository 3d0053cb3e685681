#include "commondlg/c_common_dialog.h"

#include "platform/host_error.h"

namespace pinlet {

void GCommonDialog::FillOnce() {
  if (filled_) return;
  filled_ = true;
  for (int i = 0; i < 16; ++i) custom_[i] = windows_.GetSysColor(i);
}

void GCommonDialog::SetCustomColor(int index, uint32_t colour) {
  if (index < 0 || index > 15) return;
  FillOnce();
  custom_[index] = colour;
}

const std::array<uint32_t, 16>& GCommonDialog::CustomColors() {
  FillOnce();
  return custom_;
}

bool GCommonDialog::VBChooseColor(uint32_t& colour, bool any_colour, bool full_open,
                                  bool prevent_full_open, WindowHandle owner) {
  ColorDialog dialog;
  dialog.owner = owner == kNoOwner ? 0 : owner;
  dialog.color = colour;
  dialog.custom_colors = CustomColors();
  uint32_t flags = cc::kRgbInit | (any_colour ? cc::kAnyColor : cc::kSolidColor);
  if (full_open) flags |= cc::kFullOpen;
  if (prevent_full_open) flags |= cc::kPreventFullOpen;
  // No hook or template is ever asked for.
  flags &= ~(cc::kEnableHook | cc::kEnableTemplate);
  dialog.flags = flags;
  bool chosen = dialogs_.ShowColor(dialog);
  custom_ = dialog.custom_colors;
  if (chosen) {
    colour = dialog.color;
    return true;
  }
  last_error_ = dialog.extended_error;
  colour = 0xFFFFFFFF;
  return false;
}

bool cCommonDialog::ShowColor() {
  uint32_t colour = Color;
  bool chosen =
      shared_.VBChooseColor(colour, Flags & cdl::kAnyColor, Flags & cdl::kFullOpen,
                            Flags & cdl::kPreventFullOpen, hWnd);
  if (chosen) {
    Color = colour;
    return true;
  }
  if (CancelError)
    throw HostError(errors::kCancelSelected, "Cancel was selected.",
                    "Pinlet.cCommonDialog");
  return false;
}

}  // namespace pinlet
