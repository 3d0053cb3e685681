// Internal to the renderer: the drawing of each kind of window on a canvas,
// at a box in the canvas's pixels.
#ifndef PINLET_SIM_RENDER_DRAW_H_
#define PINLET_SIM_RENDER_DRAW_H_

#include <string_view>

#include "sim/machine/form_look.h"
#include "sim/machine/sim_command_bars.h"
#include "sim/machine/sim_message_boxes.h"
#include "sim/render/canvas.h"
#include "sim/render/renderer.h"

namespace pinlet::sim {
class SimExplorer;
class SimInspector;
class SimReminders;
}  // namespace pinlet::sim

namespace pinlet::render {

// A sizable window's frame and title bar (with its close box); answers the
// inside, as the simulated forms measure it (form_look.h).
Box DrawWindowFrame(Canvas& canvas, const Box& outer, std::string_view title,
                    bool active);

// A form and its shown controls.
void DrawForm(Canvas& canvas, const Options& options, const sim::FormLook& form,
              const Box& outer);

// The bars of an Outlook window docked along the top of `area`, with the
// menus the user has open drawn over `window` (the window's inside); answers
// the height the bars took.
int DrawCommandBars(Canvas& canvas, const sim::SimCommandBars& bars, const Box& area,
                    const Box& window);

// The height DrawCommandBars takes for the bars.
int CommandBarsHeight(const sim::SimCommandBars& bars);

// Outlook's main window and an item window.
void DrawExplorer(Canvas& canvas, const Options& options, const sim::World& world,
                  const sim::SimExplorer& explorer, const Box& outer, bool active);
void DrawInspector(Canvas& canvas, const sim::World& world,
                   const sim::SimInspector& inspector, const Box& outer, bool active);

// Outlook's Reminders window.
void DrawReminders(Canvas& canvas, const sim::World& world,
                   const sim::SimReminders& reminders, const Box& outer, bool active);

// The size a message box takes, and the box drawn at `outer`.
Box MessageBoxSize(Canvas& canvas, const sim::SimMessageBoxes::Record& box);
void DrawMessageBox(Canvas& canvas, const sim::SimMessageBoxes::Record& box,
                    const Box& outer);

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_DRAW_H_
