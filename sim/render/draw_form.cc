// Forms: the window frame and every kind of control, from a form's look.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/text.h"
#include "platform/ui_controls.h"
#include "sim/render/draw.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

using sim::ControlLook;
using sim::FormLook;

constexpr int kTitleTop = sim::kFormBorderPixels;
constexpr int kTitleHeight = sim::kFormTitlePixels - 1;

// Labels and images are drawn on their container's surface, under the
// controls that have windows of their own.
bool Graphical(const ControlLook& c) {
  return c.type_name == ui::Label::kTypeName || c.type_name == ui::Image::kTypeName;
}

ui::Font FontOf(const ControlLook& c) { return c.font.value_or(DialogFont()); }

// Text in the greyed look of a disabled control: grey over a white copy one
// pixel down and right.
void Greyed(Canvas& canvas, const Box& box, std::string_view text, TextStyle style) {
  style.colour = colour::kLight;
  canvas.Text({box.x + 1, box.y + 1, box.w, box.h}, text, style);
  style.colour = colour::kGreyText;
  canvas.Text(box, text, style);
}

void Caption(Canvas& canvas, const Box& box, std::string_view text, TextStyle style,
             bool usable) {
  if (usable)
    canvas.Text(box, text, style);
  else
    Greyed(canvas, box, text, style);
}

void DrawCheckMark(Canvas& canvas, int x, int y, uint32_t colour) {
  // Seven pixels wide, three deep, as the system draws it.
  static constexpr int kTops[] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) canvas.VLine(x + i, y + kTops[i], 3, colour);
}

void DrawDropButton(Canvas& canvas, const Box& b, bool usable) {
  canvas.Fill(b, colour::kFace);
  canvas.DrawEdge(b, Edge::kRaised);
  double cx = b.x + b.w / 2.0, cy = b.y + b.h / 2.0;
  canvas.Triangle(cx - 3.5, cy - 1.5, cx + 3.5, cy - 1.5, cx, cy + 2,
                  usable ? colour::kText : colour::kGreyText);
}

std::string MonthName(int month) {
  static const char* const kNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
  return kNames[std::clamp(month, 1, 12) - 1];
}

void DrawCalendar(Canvas& canvas, const Box& box, const ControlLook& c) {
  canvas.DrawEdge(box, Edge::kSunken);
  Box inner = box.Inset(2);
  canvas.Fill(inner, c.back_colour);
  ui::Font font = DialogFont();
  int line = canvas.LineHeight(font) + 4;
  Box header{inner.x, inner.y, inner.w, line};
  canvas.Fill(header, colour::kHighlight);
  if (!c.date) {
    canvas.Text(header, "(no date)",
                {font, colour::kHighlightText, Align::kCenter, true});
    return;
  }
  Date::Parts d = c.date->ToParts();
  canvas.Text(header, MonthName(d.month) + " " + std::to_string(d.year),
              {ui::Font{font.name, font.size, true}, colour::kHighlightText,
               Align::kCenter, true});
  double first = std::floor(Date::FromParts(d.year, d.month, 1).value());
  int next_year = d.month == 12 ? d.year + 1 : d.year;
  int next_month = d.month == 12 ? 1 : d.month + 1;
  int days = static_cast<int>(
      std::floor(Date::FromParts(next_year, next_month, 1).value()) - first);
  // Day 0 of the host's dates, 12/30/1899, was a Saturday.
  int weekday = ((static_cast<int>(first) % 7) + 7 + 6) % 7;
  int cell_w = std::max(1, inner.w / 7);
  int top = header.bottom();
  int cell_h = std::max(1, (inner.bottom() - top) / 7);
  static const char* const kDays[] = {"S", "M", "T", "W", "T", "F", "S"};
  for (int i = 0; i < 7; ++i)
    canvas.Text({inner.x + i * cell_w, top, cell_w, cell_h}, kDays[i],
                {font, colour::kHighlight, Align::kCenter, true});
  canvas.HLine(inner.x + 2, top + cell_h - 1, inner.w - 4, colour::kShadow);
  for (int day = 1; day <= days; ++day) {
    int place = weekday + day - 1;
    Box cell{inner.x + (place % 7) * cell_w, top + (1 + place / 7) * cell_h, cell_w,
             cell_h};
    bool chosen = day == d.day;
    if (chosen) canvas.Fill(cell.Inset(1), colour::kHighlight);
    canvas.Text(
        cell, std::to_string(day),
        {font, chosen ? colour::kHighlightText : colour::kText, Align::kCenter, true});
  }
}

void DrawTabs(Canvas& canvas, const Box& box, const ControlLook& c) {
  ui::Font font = DialogFont();
  int tab_h = canvas.LineHeight(font) + 6;
  Box body{box.x, box.y + tab_h, box.w, std::max(0, box.h - tab_h)};
  canvas.Fill(body, c.back_colour);
  canvas.DrawEdge(body, Edge::kRaised);
  int x = box.x + 2;
  Box selected{};
  std::vector<std::pair<Box, int>> tabs;
  for (size_t i = 0; i < c.entries.size(); ++i) {
    int w = canvas.TextWidth(c.entries[i], font, true) + 12;
    bool is_selected = static_cast<int>(i) == c.list_index;
    Box tab = is_selected ? Box{x - 2, box.y, w + 4, tab_h + 1}
                          : Box{x, box.y + 2, w, tab_h - 2};
    if (is_selected) selected = tab;
    tabs.push_back({tab, static_cast<int>(i)});
    x += w;
  }
  for (auto& [tab, i] : tabs) {
    canvas.Fill(tab, c.back_colour);
    canvas.HLine(tab.x + 2, tab.y, tab.w - 4, colour::kLight);
    canvas.VLine(tab.x, tab.y + 2, tab.h - 2, colour::kLight);
    canvas.Fill({tab.x + 1, tab.y + 1, 1, 1}, colour::kLight);
    canvas.VLine(tab.right() - 2, tab.y + 1, tab.h - 1, colour::kShadow);
    canvas.VLine(tab.right() - 1, tab.y + 2, tab.h - 2, colour::kDarkShadow);
    canvas.Text(tab, c.entries[i],
                {font, c.usable ? colour::kText : colour::kGreyText, Align::kCenter, true,
                 false, true});
  }
  if (selected.w > 0) {
    // The selected tab opens into the body.
    canvas.HLine(selected.x + 1, selected.bottom() - 1, selected.w - 3, c.back_colour);
    if (c.focused)
      canvas.FocusOutline(
          {selected.x + 3, selected.y + 3, selected.w - 6, selected.h - 6});
  }
}

void DrawControl(Canvas& canvas, const Options& options, const ControlLook& c,
                 const Box& box, bool active) {
  const std::string& kind = c.type_name;
  ui::Font font = FontOf(c);
  if (kind == ui::Label::kTypeName) {
    canvas.Fill(box, c.back_colour);
    Caption(canvas, box, c.caption, {font, c.fore_colour, Align::kLeft, false, true},
            c.usable);
  } else if (kind == ui::TextBox::kTypeName) {
    canvas.DrawEdge(box, Edge::kSunken);
    Box inner = box.Inset(2);
    canvas.Fill(inner, c.back_colour);
    Box text{inner.x + 2, inner.y + 1, inner.w - 3, inner.h - 1};
    TextStyle style{font, c.usable ? c.fore_colour : colour::kGreyText, Align::kLeft,
                    false, c.multi_line};
    // The selection shows while the box has the focus of the active window.
    if (c.focused && active && c.sel_length > 0) {
      std::u16string units = Utf8ToUtf16(ValidUtf8(c.text));
      size_t from = std::min<size_t>(c.sel_start, units.size());
      size_t to = std::min<size_t>(from + c.sel_length, units.size());
      style.selected_from =
          Utf16ToUtf8(std::u16string_view(units).substr(0, from)).size();
      style.selected_to = Utf16ToUtf8(std::u16string_view(units).substr(0, to)).size();
    }
    canvas.Text(text, c.text, style);
  } else if (kind == ui::CommandButton::kTypeName) {
    canvas.Fill(box, c.back_colour);
    Box edge = box;
    if (c.focused) {
      canvas.Outline(box, colour::kText);
      edge = box.Inset(1);
    }
    canvas.DrawEdge(edge, Edge::kRaised);
    Caption(canvas, box.Inset(3), c.caption,
            {font, colour::kText, Align::kCenter, true, true, true}, c.usable);
    if (c.focused) canvas.FocusOutline(box.Inset(4));
  } else if (kind == ui::CheckBox::kTypeName) {
    canvas.Fill(box, c.back_colour);
    Box square{box.x, box.y + (box.h - 13) / 2, 13, 13};
    canvas.DrawEdge(square, Edge::kSunken);
    canvas.Fill(square.Inset(2),
                c.usable && c.value != 2 ? colour::kWindow : colour::kFace);
    if (c.value != 0)
      DrawCheckMark(canvas, square.x + 3, square.y + 2,
                    c.usable && c.value == 1 ? colour::kText : colour::kGreyText);
    Caption(canvas, {box.x + 17, box.y, box.w - 17, box.h}, c.caption,
            {font, c.fore_colour, Align::kLeft, true, true, true}, c.usable);
  } else if (kind == ui::ComboBox::kTypeName) {
    canvas.DrawEdge(box, Edge::kSunken);
    Box inner = box.Inset(2);
    canvas.Fill(inner, c.usable ? c.back_colour : colour::kFace);
    int button_w = std::min(16, inner.w);
    DrawDropButton(canvas, {inner.right() - button_w, inner.y, button_w, inner.h},
                   c.usable);
    Box field{inner.x + 2, inner.y, inner.w - button_w - 3, inner.h};
    if (c.list_index >= 0 && c.list_index < static_cast<int>(c.entry_pictures.size()) &&
        !c.entry_pictures[c.list_index].empty() && options.pictures) {
      Picture picture = options.pictures(c.entry_pictures[c.list_index]);
      canvas.Enter(field);
      canvas.DrawPicture(picture, 0, (field.h - picture.height) / 2, {nullptr, kMagenta});
      canvas.Leave();
      field.x += picture.width + 3;
      field.w -= picture.width + 3;
    }
    canvas.Text(field, c.text,
                {font, c.usable ? colour::kText : colour::kGreyText, Align::kLeft, true});
  } else if (kind == ui::ListBox::kTypeName) {
    canvas.DrawEdge(box, Edge::kSunken);
    Box inner = box.Inset(2);
    canvas.Fill(inner, c.back_colour);
    int line = std::max(1, canvas.LineHeight(font));
    int rows = std::max(1, inner.h / line);
    // The list scrolls as far as it must to show the selected entry.
    int first = c.list_index >= rows ? c.list_index - rows + 1 : 0;
    canvas.Enter(inner);
    for (int i = first; i < static_cast<int>(c.entries.size()); ++i) {
      Box row{0, (i - first) * line, inner.w, line};
      if (row.y >= inner.h) break;
      bool chosen = i == c.list_index;
      if (chosen) canvas.Fill(row, colour::kHighlight);
      canvas.Text({row.x + 2, row.y, row.w - 2, row.h}, c.entries[i],
                  {font,
                   chosen     ? colour::kHighlightText
                   : c.usable ? colour::kText
                              : colour::kGreyText,
                   Align::kLeft});
    }
    canvas.Leave();
  } else if (kind == ui::TabStrip::kTypeName) {
    DrawTabs(canvas, box, c);
  } else if (kind == ui::PictureBox::kTypeName) {
    canvas.Fill(box, c.back_colour);
  } else if (kind == ui::Frame::kTypeName) {
    canvas.Fill(box, c.back_colour);
    int line = canvas.LineHeight(font);
    canvas.DrawEdge({box.x, box.y + line / 2, box.w, box.h - line / 2}, Edge::kEtched);
    if (!c.caption.empty()) {
      int w = std::min(canvas.TextWidth(c.caption, font, true) + 4, box.w - 12);
      canvas.Fill({box.x + 6, box.y, w, line}, c.back_colour);
      Caption(canvas, {box.x + 8, box.y, w - 2, line}, c.caption,
              {font, colour::kText, Align::kLeft, false, false, true}, c.usable);
    }
  } else if (kind == ui::Image::kTypeName) {
    Picture looked_up;
    const Picture* picture = &c.picture;
    if (picture->empty() && !c.picture_key.empty() && options.pictures) {
      looked_up = options.pictures(c.picture_key);
      picture = &looked_up;
    }
    canvas.Enter(box);
    canvas.DrawPicture(*picture, 0, 0, {nullptr, kMagenta});
    canvas.Leave();
  } else if (kind == ui::Calendar::kTypeName) {
    DrawCalendar(canvas, box, c);
  } else {
    canvas.Outline(box, colour::kShadow);
    canvas.Text(box.Inset(2), c.name, {DialogFont(), colour::kShadow});
  }
}

// Draws the controls in `container` (-1: the form) inside `area`.
void DrawChildren(Canvas& canvas, const Options& options, const FormLook& form,
                  const std::vector<std::vector<int>>& children, int container,
                  const Box& area) {
  const std::vector<int>& mine = children[container + 1];
  canvas.Enter(area);
  for (bool graphical : {true, false}) {
    for (int i : mine) {
      const ControlLook& c = form.controls[i];
      if (!c.shown || !c.has_geometry || Graphical(c) != graphical) continue;
      Box box = PxBox(c.rect);
      DrawControl(canvas, options, c, box, form.active);
      if (!children[i + 1].empty()) DrawChildren(canvas, options, form, children, i, box);
    }
  }
  canvas.Leave();
}

}  // namespace

Box DrawWindowFrame(Canvas& canvas, const Box& outer, std::string_view title,
                    bool active) {
  canvas.Fill(outer, colour::kFace);
  canvas.DrawEdge(outer, Edge::kRaised);
  const int border = sim::kFormBorderPixels;
  Box bar{outer.x + border, outer.y + kTitleTop, outer.w - 2 * border, kTitleHeight};
  if (active)
    canvas.Gradient(bar, colour::kActiveTitle, colour::kActiveTitleEnd);
  else
    canvas.Gradient(bar, colour::kInactiveTitle, colour::kInactiveTitleEnd);
  Box close{bar.right() - 18, bar.y + 2, 16, 14};
  if (close.x > bar.x) {
    canvas.Fill(close, colour::kFace);
    canvas.DrawEdge(close, Edge::kRaised);
    canvas.Line(close.x + 4, close.y + 3, close.x + 10, close.y + 9, colour::kText, 1.6);
    canvas.Line(close.x + 10, close.y + 3, close.x + 4, close.y + 9, colour::kText, 1.6);
  }
  canvas.Text({bar.x + 4, bar.y, std::max(0, close.x - bar.x - 6), bar.h}, title,
              {TitleFont(), active ? colour::kHighlightText : colour::kInactiveTitleText,
               Align::kLeft, true, false, false, true});
  return {outer.x + border, outer.y + border + sim::kFormTitlePixels,
          std::max(0, outer.w - 2 * border),
          std::max(0, outer.h - 2 * border - sim::kFormTitlePixels)};
}

void DrawForm(Canvas& canvas, const Options& options, const FormLook& form,
              const Box& outer) {
  Box inside = DrawWindowFrame(canvas, outer, form.caption, form.active);
  canvas.Fill(inside, form.back_colour);
  std::vector<std::vector<int>> children(form.controls.size() + 1);
  for (size_t i = 0; i < form.controls.size(); ++i)
    children[form.controls[i].container + 1].push_back(static_cast<int>(i));
  DrawChildren(canvas, options, form, children, -1, inside);
}

}  // namespace pinlet::render
