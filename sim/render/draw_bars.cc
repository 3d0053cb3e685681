// Office command bars: the menu bar and docked toolbars of a window, each
// control with its face and caption, and the menus the user has open.
#include <algorithm>
#include <map>
#include <vector>

#include "sim/render/draw.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

using sim::BarNode;
using sim::ControlNode;

constexpr int kMenuRowHeight = 22;
constexpr int kToolRowHeight = 26;
constexpr int kMenuEntryHeight = 22;
constexpr int kFaceSize = 16;

// Where each control was drawn, for the menus that open from them.
using Boxes = std::map<const ControlNode*, Box>;

bool Showing(const ControlNode& c) { return c.visible && !c.deleted; }

bool HasFace(const ControlNode& c) {
  return !c.face.empty() || c.face_id != 0 || c.built_in;
}

// What a control on a toolbar shows, by its style.
bool ShowsFace(const ControlNode& c, bool menu_bar) {
  if (menu_bar || c.type == office::kControlPopup) return false;
  switch (c.style) {
    case office::kButtonIcon:
    case office::kButtonIconAndCaption:
      return true;
    case office::kButtonCaption:
      return false;
    default:
      return HasFace(c);
  }
}

bool ShowsCaption(const ControlNode& c, bool menu_bar) {
  if (menu_bar || c.type == office::kControlPopup) return true;
  switch (c.style) {
    case office::kButtonIcon:
      return false;
    case office::kButtonCaption:
    case office::kButtonIconAndCaption:
      return true;
    default:
      return !HasFace(c);
  }
}

// A built-in command's face, which the simulation has no pixels for: a
// plain token, a question mark for Help.
void DrawBuiltinFace(Canvas& canvas, const ControlNode& c, int x, int y, bool usable) {
  int id = c.face_id != 0 ? c.face_id : c.id;
  static constexpr uint32_t kTokens[] = {Rgb(70, 110, 180), Rgb(60, 140, 90),
                                         Rgb(170, 110, 50), Rgb(120, 90, 160),
                                         Rgb(60, 130, 150)};
  uint32_t fill = usable ? kTokens[static_cast<unsigned>(id) % 5] : colour::kShadow;
  if (id == 984) {
    canvas.Disc(x + 8, y + 8, 7, usable ? Rgb(40, 90, 200) : colour::kShadow);
    canvas.Text({x, y, kFaceSize, kFaceSize}, "?",
                {ui::Font{"Arial", 8, true}, colour::kLight, Align::kCenter, true});
    return;
  }
  canvas.Fill({x + 2, y + 2, 12, 12}, fill);
  canvas.Outline({x + 2, y + 2, 12, 12}, usable ? colour::kDarkShadow : colour::kShadow);
  std::string letter = sim::WithoutAccessKeys(c.caption).substr(0, 1);
  canvas.Text({x + 2, y + 2, 12, 12}, letter,
              {ui::Font{"Arial", 6, true}, colour::kLight, Align::kCenter, true});
}

void DrawFace(Canvas& canvas, const ControlNode& c, int x, int y, bool usable) {
  if (!c.face.empty()) {
    PictureLook look;
    if (!c.mask.empty()) look.mask = &c.mask;
    look.disabled = !usable;
    canvas.DrawPicture(c.face, x + (kFaceSize - c.face.width) / 2,
                       y + (kFaceSize - c.face.height) / 2, look);
  } else if (c.face_id != 0 || c.built_in) {
    DrawBuiltinFace(canvas, c, x, y, usable);
  }
}

void DrawCaption(Canvas& canvas, const Box& box, std::string_view caption, bool usable,
                 uint32_t colour = colour::kText) {
  TextStyle style{DialogFont(), colour, Align::kLeft, true, false, true};
  if (!usable) {
    style.colour = colour::kLight;
    canvas.Text({box.x + 1, box.y + 1, box.w, box.h}, caption, style);
    style.colour = colour::kGreyText;
  }
  canvas.Text(box, caption, style);
}

int ControlWidth(Canvas& canvas, const ControlNode& c, bool menu_bar) {
  int w = 6;
  if (ShowsFace(c, menu_bar)) w += kFaceSize + 1;
  if (ShowsCaption(c, menu_bar))
    w += canvas.TextWidth(c.caption, DialogFont(), true) + (menu_bar ? 8 : 4);
  if (!menu_bar && c.type == office::kControlPopup) w += 9;
  return std::max(w, menu_bar ? 12 : 23);
}

void DrawControl(Canvas& canvas, const ControlNode& c, const Box& box, bool menu_bar,
                 bool usable, bool open) {
  if (open) {
    canvas.Fill(box, colour::kFace);
    canvas.DrawEdge(box, Edge::kSunkenThin);
  } else if (c.state == office::kButtonDown && c.type == office::kControlButton) {
    canvas.Fill(box, colour::kPressedButton);
    canvas.Outline(box, colour::kPressedFrame);
  }
  int x = box.x + 3;
  if (ShowsFace(c, menu_bar)) {
    DrawFace(canvas, c, x, box.y + (box.h - kFaceSize) / 2, usable);
    x += kFaceSize + 2;
  }
  if (ShowsCaption(c, menu_bar)) {
    int w = canvas.TextWidth(c.caption, DialogFont(), true);
    DrawCaption(canvas, {x + (menu_bar ? 2 : 0), box.y, w + 2, box.h}, c.caption, usable);
    x += w + 4;
  }
  if (!menu_bar && c.type == office::kControlPopup) {
    double cx = box.right() - 7, cy = box.y + box.h / 2.0;
    canvas.Triangle(cx - 3, cy - 1, cx + 3, cy - 1, cx, cy + 2,
                    usable ? colour::kText : colour::kGreyText);
  }
}

bool IsOpen(const sim::SimCommandBars::OpenMenus& open, const ControlNode& c) {
  for (const auto& popup : open.popups)
    if (popup.get() == &c) return true;
  return false;
}

// One bar in its row; answers the width it took.
int DrawBar(Canvas& canvas, const BarNode& bar, int x, int y, int height, int max_w,
            const sim::SimCommandBars::OpenMenus& open, Boxes& boxes) {
  bool menu_bar = bar.type == office::kBarTypeMenuBar;
  std::vector<std::pair<const ControlNode*, int>> placed;
  int w = 8;
  bool first = true;
  for (const auto& c : bar.controls) {
    if (!Showing(*c)) continue;
    if (c->begin_group && !first) w += 6;
    first = false;
    placed.push_back({c.get(), w});
    w += ControlWidth(canvas, *c, menu_bar);
  }
  w = std::min(w + 4, max_w);
  Box box{x, y, w, height};
  canvas.DrawEdge(box, Edge::kRaisedThin);
  // The gripper.
  for (int gx : {x + 3, x + 6}) {
    canvas.VLine(gx, y + 3, height - 6, colour::kLight);
    canvas.VLine(gx + 1, y + 3, height - 6, colour::kShadow);
  }
  canvas.Enter({x, y, w, height});
  first = true;
  for (auto [c, cx] : placed) {
    if (c->begin_group && !first) {
      canvas.VLine(cx - 4, 3, height - 6, colour::kShadow);
      canvas.VLine(cx - 3, 3, height - 6, colour::kLight);
    }
    first = false;
    Box cbox{cx, 2, ControlWidth(canvas, *c, menu_bar), height - 4};
    bool usable = c->enabled && bar.enabled;
    DrawControl(canvas, *c, cbox, menu_bar, usable, IsOpen(open, *c));
    boxes[c] = {x + cbox.x, y + cbox.y, cbox.w, cbox.h};
  }
  canvas.Leave();
  return w;
}

// A menu at (x, y), kept inside `window`; answers where it went. The entry
// that opened the next menu of the chain is highlighted.
Box DrawMenu(Canvas& canvas, const BarNode& bar, int x, int y, const Box& window,
             const ControlNode* highlighted, Boxes& boxes) {
  std::vector<const ControlNode*> entries;
  int text_w = 60;
  int h = 4;
  for (const auto& c : bar.controls) {
    if (!Showing(*c)) continue;
    if (c->begin_group && !entries.empty()) h += 9;
    entries.push_back(c.get());
    h += kMenuEntryHeight;
    text_w = std::max(text_w, canvas.TextWidth(c->caption, DialogFont(), true));
  }
  if (entries.empty()) h += kMenuEntryHeight;  // an empty menu shows one blank row
  int w = 26 + text_w + 30;
  x = std::max(window.x, std::min(x, window.right() - w));
  y = std::max(window.y, std::min(y, window.bottom() - h));
  Box menu{x, y, w, h};
  canvas.Fill(menu, colour::kFace);
  canvas.DrawEdge(menu, Edge::kRaised);
  int ey = y + 2;
  bool first = true;
  for (const ControlNode* c : entries) {
    if (c->begin_group && !first) {
      canvas.HLine(x + 3, ey + 4, w - 6, colour::kShadow);
      canvas.HLine(x + 3, ey + 5, w - 6, colour::kLight);
      ey += 9;
    }
    first = false;
    Box entry{x + 2, ey, w - 4, kMenuEntryHeight};
    boxes[c] = entry;
    bool usable = c->enabled;
    bool lit = c == highlighted;
    if (lit) canvas.Fill(entry, colour::kHighlight);
    if (c->type == office::kControlButton) {
      if (c->state == office::kButtonDown) {
        canvas.Fill({entry.x + 1, entry.y + 1, 20, 20}, colour::kPressedButton);
        canvas.DrawEdge({entry.x + 1, entry.y + 1, 20, 20}, Edge::kSunkenThin);
      }
      DrawFace(canvas, *c, entry.x + 3, entry.y + 3, usable);
    }
    Box caption{entry.x + 26, entry.y, entry.w - 50, entry.h};
    if (lit)
      DrawCaption(canvas, caption, c->caption, true,
                  usable ? colour::kHighlightText : colour::kGreyText);
    else
      DrawCaption(canvas, caption, c->caption, usable);
    if (c->type == office::kControlPopup) {
      double ax = entry.right() - 10, ay = entry.y + entry.h / 2.0;
      canvas.Triangle(ax, ay - 4, ax, ay + 4, ax + 4, ay,
                      lit ? colour::kHighlightText : colour::kText);
    }
    ey += kMenuEntryHeight;
  }
  return menu;
}

// The bars that show along the top: menu bars, and toolbars ordered by
// their row and place in it.
void DockedBars(const sim::SimCommandBars& set, std::vector<const BarNode*>& menu_bars,
                std::vector<const BarNode*>& toolbars) {
  for (const auto& bar : set.bars()) {
    if (bar->deleted || !bar->visible || bar->type == office::kBarTypePopup) continue;
    (bar->type == office::kBarTypeMenuBar ? menu_bars : toolbars).push_back(bar.get());
  }
  std::stable_sort(toolbars.begin(), toolbars.end(), [](auto* a, auto* b) {
    return a->row_index != b->row_index ? a->row_index < b->row_index : a->left < b->left;
  });
}

}  // namespace

int CommandBarsHeight(const sim::SimCommandBars& set) {
  std::vector<const BarNode*> menu_bars, toolbars;
  DockedBars(set, menu_bars, toolbars);
  int rows = 0;
  for (size_t i = 0; i < toolbars.size(); ++i)
    if (i == 0 || toolbars[i]->row_index != toolbars[i - 1]->row_index) ++rows;
  return static_cast<int>(menu_bars.size()) * kMenuRowHeight + rows * kToolRowHeight;
}

int DrawCommandBars(Canvas& canvas, const sim::SimCommandBars& set, const Box& area,
                    const Box& window) {
  std::vector<const BarNode*> menu_bars, toolbars;
  DockedBars(set, menu_bars, toolbars);
  const sim::SimCommandBars::OpenMenus& open = set.open_menus();
  Boxes boxes;
  int y = area.y;
  for (const BarNode* bar : menu_bars) {
    canvas.Fill({area.x, y, area.w, kMenuRowHeight}, colour::kFace);
    DrawBar(canvas, *bar, area.x, y, kMenuRowHeight, area.w, open, boxes);
    y += kMenuRowHeight;
  }
  // Bars with the same row index share a row, left to right.
  for (size_t i = 0; i < toolbars.size();) {
    canvas.Fill({area.x, y, area.w, kToolRowHeight}, colour::kFace);
    int x = area.x;
    int row = toolbars[i]->row_index;
    for (; i < toolbars.size() && toolbars[i]->row_index == row; ++i)
      x += DrawBar(canvas, *toolbars[i], x, y, kToolRowHeight,
                   std::max(24, area.right() - x), open, boxes) +
           2;
    y += kToolRowHeight;
  }
  // The open menus, each beside the entry it opened from.
  if (open.shortcut && !open.shortcut->deleted)
    DrawMenu(canvas, *open.shortcut, window.x + open.x, window.y + open.y, window,
             open.popups.empty() ? nullptr : open.popups.front().get(), boxes);
  for (size_t i = 0; i < open.popups.size(); ++i) {
    const ControlNode& popup = *open.popups[i];
    auto from = boxes.find(&popup);
    if (popup.deleted || !popup.popup_bar || from == boxes.end()) break;
    auto bar = popup.bar.lock();
    bool in_menu = bar && (bar->popup.lock() || bar->type == office::kBarTypePopup);
    int x = in_menu ? from->second.right() - 2 : from->second.x;
    int menu_y = in_menu ? from->second.y - 2 : from->second.bottom();
    const ControlNode* next =
        i + 1 < open.popups.size() ? open.popups[i + 1].get() : nullptr;
    DrawMenu(canvas, *popup.popup_bar, x, menu_y, window, next, boxes);
  }
  return y - area.y;
}

}  // namespace pinlet::render
