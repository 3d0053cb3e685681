// The colours of the host's classic look (Windows 2000 and XP classic,
// Office 2002), as 0x00BBGGRR.
#ifndef PINLET_SIM_RENDER_THEME_H_
#define PINLET_SIM_RENDER_THEME_H_

#include <cstdint>

#include "platform/ui.h"

namespace pinlet::render {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return b << 16 | g << 8 | r;
}

namespace colour {
constexpr uint32_t kFace = Rgb(212, 208, 200);  // buttons, bars, dialogs
constexpr uint32_t kLight = Rgb(255, 255, 255);
constexpr uint32_t kShadow = Rgb(128, 128, 128);
constexpr uint32_t kDarkShadow = Rgb(64, 64, 64);
constexpr uint32_t kWindow = Rgb(255, 255, 255);
constexpr uint32_t kText = Rgb(0, 0, 0);
constexpr uint32_t kGreyText = Rgb(128, 128, 128);
constexpr uint32_t kHighlight = Rgb(10, 36, 106);
constexpr uint32_t kHighlightText = Rgb(255, 255, 255);
constexpr uint32_t kActiveTitle = Rgb(10, 36, 106);
constexpr uint32_t kActiveTitleEnd = Rgb(166, 202, 240);
constexpr uint32_t kInactiveTitle = Rgb(128, 128, 128);
constexpr uint32_t kInactiveTitleEnd = Rgb(192, 192, 192);
constexpr uint32_t kInactiveTitleText = Rgb(212, 208, 200);
constexpr uint32_t kDesktop = Rgb(58, 110, 165);
// A command bar button that is pressed (State down) and one under the mouse.
constexpr uint32_t kPressedButton = Rgb(212, 213, 216);
constexpr uint32_t kPressedFrame = Rgb(10, 36, 106);
// Outlook's folder banner and list header.
constexpr uint32_t kBanner = Rgb(128, 128, 128);
constexpr uint32_t kNoteMark = Rgb(255, 236, 120);
constexpr uint32_t kNoteMarkEdge = Rgb(170, 140, 20);
}  // namespace colour

// The system's dialog font, and the bold one of window titles.
inline ui::Font DialogFont() {
  return {"MS Sans Serif", 8.25, false, false, false, false};
}
inline ui::Font TitleFont() { return {"Tahoma", 8.25, true, false, false, false}; }

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_THEME_H_
