// Outlook's Reminders window, as Outlook 2003 draws it: the first reminder's
// subject and time above the list of every reminder with how long ago it
// came, the Dismiss All, Open Item and Dismiss buttons, and the Snooze row.
#include <algorithm>
#include <cmath>

#include "platform/outlook_items.h"
#include "sim/machine/sim_outlook.h"
#include "sim/render/draw.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

ui::Font Bold(ui::Font font) {
  font.bold = true;
  return font;
}

// "Now", or how long ago the time came: "5 minutes overdue", "2 hours
// overdue", "1 day overdue".
std::string DueIn(Date due, Date now) {
  double minutes = std::floor((now.value() - due.value()) * 24 * 60 + 1e-6);
  if (minutes < 1) return "Now";
  auto count = [](double n, const char* unit) {
    return std::to_string(static_cast<long long>(n)) + " " + unit + (n == 1 ? "" : "s") +
           " overdue";
  };
  if (minutes < 60) return count(minutes, "minute");
  if (minutes < 24 * 60) return count(std::floor(minutes / 60), "hour");
  return count(std::floor(minutes / (24 * 60)), "day");
}

void Button(Canvas& canvas, const Box& box, std::string_view caption) {
  canvas.Fill(box, colour::kFace);
  canvas.DrawEdge(box, Edge::kRaised);
  canvas.Text(box.Inset(3), caption,
              {DialogFont(), colour::kText, Align::kCenter, true, false, true});
}

// The bell before the first reminder's subject.
void DrawBell(Canvas& canvas, int x, int y) {
  canvas.Triangle(x + 8, y, x, y + 14, x + 16, y + 14, Rgb(255, 215, 90));
  canvas.Disc(x + 8, y + 5, 5, Rgb(255, 215, 90));
  canvas.Disc(x + 8, y + 16, 2.5, Rgb(170, 110, 0));
}

}  // namespace

void DrawReminders(Canvas& canvas, const sim::World& world,
                   const sim::SimReminders& reminders, const Box& outer, bool active) {
  const auto* window = world.windows.Find(reminders.window());
  Box inside = DrawWindowFrame(canvas, outer, window ? window->title : "", active);
  canvas.Fill(inside, colour::kFace);
  const auto& shown = reminders.shown();
  if (shown.empty()) return;
  ui::Font font = DialogFont();
  const Date now = world.clock.now();
  int x = inside.x + 8, w = std::max(0, inside.w - 16), y = inside.y + 8;
  DrawBell(canvas, x, y);
  canvas.Text({x + 24, y, w - 24, 16}, shown.front().subject,
              {Bold(font), colour::kText, Align::kLeft, true, false, false, true});
  y += 18;
  std::string when = shown.front().cls == ol::kAppointment ? "Start time: " : "Due: ";
  canvas.Text({x + 24, y, w - 24, 16}, when + shown.front().due.ToGeneralString(),
              {font, colour::kText, Align::kLeft, true, false, false, true});
  y += 24;
  // The list: a header, then a row a reminder, the first one selected.
  const int buttons_h = 23, snooze_h = 44;
  Box list{x, y, w, std::max(0, inside.bottom() - y - buttons_h - snooze_h - 16)};
  canvas.DrawEdge(list, Edge::kSunken);
  Box rows = list.Inset(2);
  canvas.Fill(rows, colour::kWindow);
  canvas.Enter(rows);
  rows = {0, 0, rows.w, rows.h};  // inside the list, at its own origin
  int due_w = std::min(130, rows.w / 2);
  Box header{rows.x, rows.y, rows.w, 17};
  canvas.Fill(header, colour::kFace);
  canvas.DrawEdge({header.x, header.y, header.w - due_w, header.h}, Edge::kRaisedThin);
  canvas.DrawEdge({header.right() - due_w, header.y, due_w, header.h}, Edge::kRaisedThin);
  canvas.Text({header.x + 4, header.y, header.w - due_w - 8, header.h}, "Subject",
              {font, colour::kText, Align::kLeft, true});
  canvas.Text({header.right() - due_w + 4, header.y, due_w - 8, header.h}, "Due in",
              {font, colour::kText, Align::kLeft, true});
  int row_y = header.bottom() + 1;
  for (size_t i = 0; i < shown.size() && row_y < rows.bottom(); ++i, row_y += 17) {
    bool selected = i == 0;
    uint32_t text = selected ? colour::kHighlightText : colour::kText;
    if (selected) canvas.Fill({rows.x, row_y, rows.w, 17}, colour::kHighlight);
    canvas.Text({rows.x + 4, row_y, rows.w - due_w - 8, 17}, shown[i].subject,
                {font, text, Align::kLeft, true, false, false, true});
    canvas.Text({rows.right() - due_w + 4, row_y, due_w - 8, 17}, DueIn(shown[i].due, now),
                {font, text, Align::kLeft, true, false, false, true});
  }
  canvas.Leave();
  y = list.bottom() + 8;
  Button(canvas, {x, y, 80, buttons_h}, "Dismiss &All");
  Button(canvas, {x + w - 170, y, 80, buttons_h}, "&Open Item");
  Button(canvas, {x + w - 80, y, 80, buttons_h}, "&Dismiss");
  y += buttons_h + 8;
  canvas.Text({x, y, w, 14}, "Click Snooze to be reminded again in:",
              {font, colour::kText, Align::kLeft, true});
  y += 16;
  Box combo{x, y, std::max(0, w - 90), 21};
  canvas.DrawEdge(combo, Edge::kSunken);
  canvas.Fill(combo.Inset(2), colour::kWindow);
  canvas.Text({combo.x + 4, combo.y, combo.w - 8, combo.h}, "5 minutes",
              {font, colour::kText, Align::kLeft, true});
  Button(canvas, {x + w - 80, y - 1, 80, buttons_h}, "&Snooze");
}

}  // namespace pinlet::render
