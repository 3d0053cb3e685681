// Outlook's windows: the main window with its bars, folder tree, the items
// of the current view and the status bar; an item window with its bars,
// the item's header and its body.
#include <algorithm>
#include <functional>

#include "platform/mapi_helpers.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/view_filter.h"
#include "sim/render/draw.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

using sim::FolderNode;
using sim::ItemNode;

constexpr int kRowHeight = 17;
constexpr int kStatusHeight = 20;

std::string TitleOf(const sim::World& world, WindowHandle handle,
                    std::string_view fallback) {
  const auto* window = world.windows.Find(handle);
  return window ? window->title : std::string(fallback);
}

ui::Font Bold(ui::Font font) {
  font.bold = true;
  return font;
}

// A folder as the tree shows it: a small yellow folder before its name.
void DrawFolderGlyph(Canvas& canvas, int x, int y) {
  canvas.Fill({x, y + 2, 5, 2}, Rgb(215, 160, 40));
  canvas.Fill({x, y + 3, 13, 9}, Rgb(255, 215, 90));
  canvas.Outline({x, y + 3, 13, 9}, Rgb(170, 110, 0));
}

// The mark of an item that carries a note: a small sticky note.
void DrawNoteMark(Canvas& canvas, int x, int y) {
  canvas.Fill({x, y, 11, 11}, colour::kNoteMark);
  canvas.Outline({x, y, 11, 11}, colour::kNoteMarkEdge);
  canvas.Triangle(x + 7, y + 11, x + 11, y + 11, x + 11, y + 7, colour::kNoteMarkEdge);
  for (int line = 0; line < 3; ++line)
    canvas.HLine(x + 2, y + 3 + 2 * line, 6 - line, colour::kNoteMarkEdge);
}

// An Outlook follow-up flag in the colour of its icon number.
void DrawFlag(Canvas& canvas, int x, int y, int icon) {
  static constexpr uint32_t kColours[] = {
      Rgb(220, 40, 40),  Rgb(150, 60, 190), Rgb(240, 140, 30), Rgb(40, 160, 60),
      Rgb(230, 200, 30), Rgb(40, 90, 220),  Rgb(220, 40, 40)};
  uint32_t fill = kColours[icon >= 1 && icon <= 6 ? icon : 0];
  canvas.VLine(x + 2, y, 12, colour::kDarkShadow);
  canvas.Triangle(x + 3, y, x + 11, y + 3, x + 3, y + 7, fill);
}

int FlagIcon(const ItemNode& item) {
  auto status = item.mapi_props.find(kPrFlagStatus);
  if (status == item.mapi_props.end() || ToLong(status->second) != 2) return -1;
  auto icon = item.mapi_props.find(kPrFlagIcon);
  return icon == item.mapi_props.end() ? 6 : ToLong(icon->second);
}

std::string When(const ItemNode& item) {
  auto received = item.members.find("ReceivedTime");
  if (received != item.members.end() && received->second.IsDate())
    return received->second.date_value().ToShortString();
  return item.last_modified.ToShortString();
}

void DrawFolderTree(Canvas& canvas, const FolderNode& folder, const FolderNode* current,
                    bool active, int depth, const Box& pane, int& y) {
  if (y < pane.bottom()) {
    int x = pane.x + 4 + depth * 14;
    DrawFolderGlyph(canvas, x, y + 1);
    ui::Font font = DialogFont();
    int w = canvas.TextWidth(folder.name, font) + 4;
    Box name{x + 16, y, std::min(w, std::max(0, pane.right() - x - 16)), kRowHeight};
    bool chosen = &folder == current;
    if (chosen) canvas.Fill(name, active ? colour::kHighlight : colour::kFace);
    canvas.Text({name.x + 2, name.y, name.w - 2, name.h}, folder.name,
                {font, chosen && active ? colour::kHighlightText : colour::kText,
                 Align::kLeft, true});
  }
  y += kRowHeight;
  for (const auto& child : folder.children)
    if (!child->forgotten)
      DrawFolderTree(canvas, *child, current, active, depth + 1, pane, y);
}

struct Column {
  const char* title;
  int width;
};

void DrawItemList(Canvas& canvas, const Options& options,
                  const sim::SimExplorer& explorer, FolderNode& folder, bool active,
                  const Box& pane) {
  ui::Font font = DialogFont();
  // The folder banner: its name, and the view with whether a filter applies.
  sim::ViewContents shown = sim::ItemsInCurrentView(folder);
  Box banner{pane.x, pane.y, pane.w, 26};
  canvas.Fill(banner, colour::kBanner);
  canvas.Text({banner.x + 6, banner.y, banner.w / 2, banner.h}, folder.name,
              {ui::Font{"Arial", 12, true}, colour::kLight, Align::kLeft, true, false,
               false, true});
  std::string view = folder.current_view;
  if (shown.filtered) view += " (Filter Applied)";
  canvas.Text({banner.x + banner.w / 2, banner.y, banner.w / 2 - 6, banner.h}, view,
              {font, colour::kLight, Align::kRight, true, false, false, true});
  // The header of the columns.
  int rest = std::max(0, pane.w - 18 - 18);
  int received = std::min(rest, std::max(118, rest / 5));
  int from = (rest - received) * 2 / 5;
  Column columns[] = {{"!", 18},
                      {"", 18},
                      {"From", from},
                      {"Subject", rest - received - from},
                      {"Received", received}};
  int y = banner.bottom();
  int x = pane.x;
  for (const Column& column : columns) {
    Box cell{x, y, column.width, 18};
    canvas.Fill(cell, colour::kFace);
    canvas.DrawEdge(cell, Edge::kRaisedThin);
    canvas.Text({cell.x + 4, cell.y, cell.w - 6, cell.h}, column.title,
                {font, colour::kText, Align::kLeft, true, false, false, true});
    x += column.width;
  }
  if (columns[1].width > 0) DrawNoteMark(canvas, pane.x + 21, y + 3);
  y += 18;
  Box list{pane.x, y, pane.w, std::max(0, pane.bottom() - y)};
  canvas.Fill(list, colour::kWindow);
  canvas.Enter(list);
  int row_y = 0;
  const auto& selection = explorer.selection();
  for (ItemNode* item : shown.items) {
    if (row_y >= list.h) break;
    bool chosen = std::any_of(selection.begin(), selection.end(),
                              [&](const auto& s) { return s.get() == item; });
    Box row{0, row_y, list.w, kRowHeight};
    if (chosen) canvas.Fill(row, active ? colour::kHighlight : colour::kFace);
    uint32_t ink = chosen && active ? colour::kHighlightText : colour::kText;
    int icon = FlagIcon(*item);
    if (icon >= 0) DrawFlag(canvas, 3, row_y + 2, icon);
    if (options.has_note && options.has_note(*item)) DrawNoteMark(canvas, 21, row_y + 3);
    std::string texts[] = {"", "", sim::TextMember(*item, "SenderName"),
                           item->subject.empty() ? "(no subject)" : item->subject,
                           When(*item)};
    int cx = 0;
    for (size_t i = 0; i < std::size(columns); ++i) {
      if (!texts[i].empty())
        canvas.Text({cx + 4, row.y, columns[i].width - 6, row.h}, texts[i],
                    {font, ink, Align::kLeft, true, false, false, true});
      cx += columns[i].width;
    }
    canvas.HLine(0, row_y + kRowHeight - 1, list.w, Rgb(236, 233, 216));
    row_y += kRowHeight;
  }
  canvas.Leave();
}

void DrawStatusBar(Canvas& canvas, const Box& inside, const std::string& text) {
  Box status{inside.x, inside.bottom() - kStatusHeight, inside.w, kStatusHeight};
  canvas.Fill(status, colour::kFace);
  Box field{status.x + 2, status.y + 2, status.w - 4, status.h - 3};
  canvas.DrawEdge(field, Edge::kSunkenThin);
  canvas.Text({field.x + 4, field.y, field.w - 8, field.h}, text,
              {DialogFont(), colour::kText, Align::kLeft, true, false, false, true});
}

// The height of the bars along the top; the body is drawn before the bars
// so that open menus lie over it.
int BarsHeight(const std::shared_ptr<sim::SimCommandBars>& bars) {
  return bars ? CommandBarsHeight(*bars) : 0;
}

}  // namespace

void DrawExplorer(Canvas& canvas, const Options& options, const sim::World& world,
                  const sim::SimExplorer& explorer, const Box& outer, bool active) {
  Box inside = DrawWindowFrame(
      canvas, outer, TitleOf(world, explorer.hwnd(), "Microsoft Outlook"), active);
  canvas.Fill(inside, colour::kFace);
  int bars_h = BarsHeight(explorer.command_bars());
  FolderNode* folder = explorer.folder();
  std::string status = "0 Items";
  if (folder) {
    sim::ViewContents shown = sim::ItemsInCurrentView(*folder);
    status = std::to_string(shown.items.size()) +
             (shown.items.size() == 1 ? " Item" : " Items");
    if (shown.filtered) status += "    Filter Applied";
  }
  DrawStatusBar(canvas, inside, status);
  Box body{inside.x, inside.y + bars_h, inside.w,
           std::max(0, inside.h - bars_h - kStatusHeight)};
  int tree_w = std::clamp(body.w / 4, 120, 200);
  Box tree{body.x, body.y, std::min(tree_w, body.w), body.h};
  Box header{tree.x, tree.y, tree.w, 22};
  canvas.Fill(header, colour::kFace);
  canvas.DrawEdge(header, Edge::kRaisedThin);
  canvas.Text({header.x + 6, header.y, header.w - 8, header.h}, "Folder List",
              {Bold(DialogFont()), colour::kText, Align::kLeft, true});
  Box pane{tree.x, header.bottom(), tree.w, std::max(0, tree.h - header.h)};
  canvas.DrawEdge(pane, Edge::kSunken);
  Box inner = pane.Inset(2);
  canvas.Fill(inner, colour::kWindow);
  canvas.Enter(inner);
  int y = 2;
  for (const auto& store : world.store.stores())
    if (store->root)
      DrawFolderTree(canvas, *store->root, folder, active, 0, {0, 0, inner.w, inner.h},
                     y);
  canvas.Leave();
  Box list{tree.right() + 3, body.y, std::max(0, body.right() - tree.right() - 3),
           body.h};
  if (folder) DrawItemList(canvas, options, explorer, *folder, active, list);
  if (explorer.command_bars())
    DrawCommandBars(canvas, *explorer.command_bars(), {inside.x, inside.y, inside.w, 0},
                    inside);
}

void DrawInspector(Canvas& canvas, const sim::World& world,
                   const sim::SimInspector& inspector, const Box& outer, bool active) {
  Box inside = DrawWindowFrame(
      canvas, outer, TitleOf(world, inspector.hwnd(), inspector.caption()), active);
  canvas.Fill(inside, colour::kFace);
  int bars_h = BarsHeight(inspector.command_bars());
  // The window shows its item with the changes it holds.
  const sim::ItemContent* item = inspector.content();
  ui::Font font = DialogFont();
  int y = inside.y + bars_h + 6;
  auto field = [&](const char* label, const std::string& value) {
    canvas.Text({inside.x + 6, y, 60, 20}, label,
                {font, colour::kText, Align::kLeft, true});
    Box box{inside.x + 70, y, std::max(0, inside.w - 76), 20};
    canvas.DrawEdge(box, Edge::kSunken);
    canvas.Fill(box.Inset(2), colour::kWindow);
    canvas.Text({box.x + 4, box.y, box.w - 6, box.h}, value,
                {font, colour::kText, Align::kLeft, true, false, false, true});
    y += 24;
  };
  if (item) {
    if (item->cls == 43) {
      field("From:", sim::TextMember(*item, "SenderName"));
      field("To:", sim::RecipientText(*item, 1));
    }
    field("Subject:", item->subject);
  }
  Box body{inside.x + 4, y + 2, std::max(0, inside.w - 8),
           std::max(0, inside.bottom() - y - 6)};
  canvas.DrawEdge(body, Edge::kSunken);
  canvas.Fill(body.Inset(2), colour::kWindow);
  if (item)
    canvas.Text(body.Inset(5), sim::BodyOf(*item),
                {ui::Font{"Arial", 10}, colour::kText, Align::kLeft, false, true});
  if (inspector.command_bars())
    DrawCommandBars(canvas, *inspector.command_bars(), {inside.x, inside.y, inside.w, 0},
                    inside);
}

}  // namespace pinlet::render
