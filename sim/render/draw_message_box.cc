// The system's message box: its title, icon, text and buttons, sized to
// its text as the system sizes it.
#include <algorithm>

#include "sim/render/draw.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kTextWidth = 360;

int IconOf(int style) { return style & 0x70; }

void DrawIcon(Canvas& canvas, int icon, int x, int y) {
  double cx = x + kIconSize / 2.0, cy = y + kIconSize / 2.0;
  ui::Font glyph{"Arial", 16, true};
  switch (icon) {
    case mb::kCritical:
      canvas.Disc(cx, cy, 15, Rgb(200, 20, 20));
      canvas.Line(cx - 7, cy - 7, cx + 7, cy + 7, colour::kLight, 3);
      canvas.Line(cx + 7, cy - 7, cx - 7, cy + 7, colour::kLight, 3);
      break;
    case mb::kExclamation:
      canvas.Triangle(cx, y + 1, x + kIconSize - 1, y + kIconSize - 2, x + 1,
                      y + kIconSize - 2, Rgb(250, 210, 20));
      canvas.Text({x, y + 6, kIconSize, kIconSize - 6}, "!",
                  {glyph, colour::kText, Align::kCenter, true});
      break;
    case mb::kQuestion:
    case mb::kInformation:
      canvas.Disc(cx, cy, 15, Rgb(30, 80, 210));
      canvas.Text({x, y, kIconSize, kIconSize}, icon == mb::kQuestion ? "?" : "i",
                  {glyph, colour::kLight, Align::kCenter, true});
      break;
    default:
      break;
  }
}

}  // namespace

Box MessageBoxSize(Canvas& canvas, const sim::SimMessageBoxes::Record& box) {
  auto [text_w, text_h] = canvas.WrappedSize(box.text, DialogFont(), kTextWidth);
  int icon = IconOf(box.style) ? kIconSize + kMargin : 0;
  int buttons = static_cast<int>(sim::SimMessageBoxes::Buttons(box.style).size());
  int buttons_w = buttons * kButtonWidth + (buttons - 1) * kButtonGap;
  int title_w = canvas.TextWidth(box.title, TitleFont()) + 40;
  int inner_w =
      std::max({icon + text_w + 2 * kMargin, buttons_w + 2 * kMargin, title_w, 120});
  int inner_h = kMargin + std::max(text_h, icon ? kIconSize : 0) + kMargin +
                kButtonHeight + kMargin;
  return {0, 0, inner_w + 2 * sim::kFormBorderPixels,
          inner_h + 2 * sim::kFormBorderPixels + sim::kFormTitlePixels};
}

void DrawMessageBox(Canvas& canvas, const sim::SimMessageBoxes::Record& box,
                    const Box& outer) {
  Box inside = DrawWindowFrame(canvas, outer, box.title, true);
  canvas.Fill(inside, colour::kFace);
  int icon = IconOf(box.style);
  int x = inside.x + kMargin;
  if (icon) {
    DrawIcon(canvas, icon, x, inside.y + kMargin);
    x += kIconSize + kMargin;
  }
  auto [text_w, text_h] = canvas.WrappedSize(box.text, DialogFont(), kTextWidth);
  int text_y =
      inside.y + kMargin + (icon && text_h < kIconSize ? (kIconSize - text_h) / 2 : 0);
  canvas.Text({x, text_y, text_w + 1, text_h}, box.text,
              {DialogFont(), colour::kText, Align::kLeft, false, true});
  std::vector<int> buttons = sim::SimMessageBoxes::Buttons(box.style);
  int count = static_cast<int>(buttons.size());
  int buttons_w = count * kButtonWidth + (count - 1) * kButtonGap;
  int bx = inside.x + (inside.w - buttons_w) / 2;
  int by = inside.bottom() - kMargin - kButtonHeight;
  int default_button = sim::SimMessageBoxes::DefaultButton(box.style);
  for (int button : buttons) {
    Box b{bx, by, kButtonWidth, kButtonHeight};
    canvas.Fill(b, colour::kFace);
    bool focused = button == default_button;
    if (focused) canvas.Outline(b, colour::kText);
    canvas.DrawEdge(focused ? b.Inset(1) : b, Edge::kRaised);
    canvas.Text(b, sim::SimMessageBoxes::ButtonName(button),
                {DialogFont(), colour::kText, Align::kCenter, true});
    if (focused) canvas.FocusOutline(b.Inset(4));
    bx += kButtonWidth + kButtonGap;
  }
}

}  // namespace pinlet::render
