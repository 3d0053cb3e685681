#include "sim/render/renderer.h"

#include <algorithm>

#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"
#include "sim/machine/world.h"
#include "sim/render/draw.h"
#include "sim/render/fonts.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

// The task bar along the bottom of the screen: the Start button and one
// button for each visible window, the active one pressed.
void DrawTaskBar(Canvas& canvas, const sim::World& world, const Box& bar) {
  if (bar.h <= 0) return;
  canvas.Fill(bar, colour::kFace);
  canvas.HLine(bar.x, bar.y, bar.w, colour::kFace);
  canvas.HLine(bar.x, bar.y + 1, bar.w, colour::kLight);
  ui::Font bold = DialogFont();
  bold.bold = true;
  Box start{bar.x + 2, bar.y + 4, 54, bar.h - 6};
  canvas.DrawEdge(start, Edge::kRaised);
  canvas.Text(start, "Start", {bold, colour::kText, Align::kCenter, true});
  std::vector<WindowHandle> shown;
  for (WindowHandle handle : world.windows.z_order()) {
    const auto* window = world.windows.Find(handle);
    if (window && window->visible) shown.push_back(handle);
  }
  std::sort(shown.begin(), shown.end());  // in the order they were opened
  if (shown.empty()) return;
  int x = start.right() + 6;
  int w =
      std::min(160, std::max(24, (bar.right() - x - 4) / static_cast<int>(shown.size())));
  for (WindowHandle handle : shown) {
    Box button{x, start.y, w - 3, start.h};
    bool active = world.windows.active() == handle;
    if (active) {
      canvas.Fill(button, Rgb(236, 234, 230));
      canvas.DrawEdge(button, Edge::kSunken);
    } else {
      canvas.DrawEdge(button, Edge::kRaised);
    }
    ui::Font font = DialogFont();
    font.bold = active;
    canvas.Text(button.Inset(4), world.windows.Find(handle)->title,
                {font, colour::kText, Align::kLeft, true, false, false, true});
    x += w;
  }
}

// Draws whatever owns the window: a form, an Outlook window, or a plain frame.
class WindowPainter {
 public:
  WindowPainter(Canvas& canvas, const Options& options, const sim::World& world)
      : canvas_(canvas), options_(options), world_(world) {}

  void Paint(WindowHandle handle, const Box& box) {
    bool active = world_.windows.active() == handle;
    for (const auto& form : world_.ui.forms()) {
      if (form->loaded() && form->handle() == handle)
        return DrawForm(canvas_, options_, form->Look(), box);
    }
    if (const sim::SimOutlook* outlook = world_.outlook) {
      for (const auto& explorer : outlook->explorers())
        if (explorer->hwnd() == handle)
          return DrawExplorer(canvas_, options_, world_, *explorer, box, active);
      for (const auto& inspector : outlook->inspectors())
        if (inspector->hwnd() == handle)
          return DrawInspector(canvas_, world_, *inspector, box, active);
      if (outlook->reminders().window() == handle)
        return DrawReminders(canvas_, world_, outlook->reminders(), box, active);
    }
    const auto* window = world_.windows.Find(handle);
    Box inside = DrawWindowFrame(canvas_, box, window ? window->title : "", active);
    canvas_.Fill(inside, colour::kFace);
  }

  void PaintDialog(const Dialog& dialog, const Box& screen) {
    if (const auto* form = std::get_if<sim::FormLook>(&dialog))
      return DrawForm(canvas_, options_, *form, PxBox(form->rect));
    const auto& box = std::get<sim::SimMessageBoxes::Record>(dialog);
    Box size = MessageBoxSize(canvas_, box);
    DrawMessageBox(canvas_, box,
                   {screen.x + (screen.w - size.w) / 2,
                    screen.y + (screen.h - size.h) / 2, size.w, size.h});
  }

 private:
  Canvas& canvas_;
  const Options& options_;
  const sim::World& world_;
};

}  // namespace

std::optional<Dialog> LastDialog(const sim::World& world) {
  const auto& forms = world.ui.modal_forms();
  const auto& boxes = world.message_boxes.shown();
  int last_form = -1;
  for (int i = static_cast<int>(forms.size()) - 1; i >= 0; --i) {
    if (!forms[i].looks.empty()) {
      last_form = i;
      break;
    }
  }
  // A box shown while that form was open, or after it, came later.
  if (!boxes.empty() && static_cast<int>(boxes.back().modal_forms_before) > last_form)
    return Dialog{boxes.back()};
  if (last_form >= 0) return Dialog{forms[last_form].looks.back()};
  return std::nullopt;
}

Renderer::Renderer(Options options)
    : options_(std::move(options)), fonts_(std::make_unique<Fonts>()) {}

Renderer::~Renderer() = default;

bool Renderer::fixed_fonts() const { return fonts_->fixed(); }

Image Renderer::Screen(const sim::World& world, const Dialog* on_top) const {
  Box screen = PxBox(world.windows.screen());
  Box work = PxBox(world.windows.work_area());
  Image image(screen.w, screen.h, colour::kDesktop);
  Canvas canvas(image, *fonts_);
  WindowPainter painter(canvas, options_, world);
  const auto& order = world.windows.z_order();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const auto* window = world.windows.Find(*it);
    if (window && window->visible) painter.Paint(*it, PxBox(window->rect));
  }
  DrawTaskBar(canvas, world, {0, work.bottom(), screen.w, screen.h - work.bottom()});
  if (on_top) painter.PaintDialog(*on_top, work);
  return image;
}

std::optional<Image> Renderer::Window(const sim::World& world,
                                      WindowHandle handle) const {
  const auto* window = world.windows.Find(handle);
  if (!window) return std::nullopt;
  Box box = PxBox(window->rect);
  Image image(box.w, box.h, colour::kFace);
  Canvas canvas(image, *fonts_);
  WindowPainter(canvas, options_, world).Paint(handle, {0, 0, box.w, box.h});
  return image;
}

Image Renderer::Form(const sim::FormLook& form) const {
  Box box = PxBox(form.rect);
  Image image(box.w, box.h, colour::kFace);
  Canvas canvas(image, *fonts_);
  DrawForm(canvas, options_, form, {0, 0, box.w, box.h});
  return image;
}

Image Renderer::DialogImage(const Dialog& dialog) const {
  if (const auto* form = std::get_if<sim::FormLook>(&dialog)) return Form(*form);
  const auto& box = std::get<sim::SimMessageBoxes::Record>(dialog);
  Box size;
  {
    Image scratch(1, 1);
    Canvas measure(scratch, *fonts_);
    size = MessageBoxSize(measure, box);
  }
  Image image(size.w, size.h, colour::kFace);
  Canvas canvas(image, *fonts_);
  DrawMessageBox(canvas, box, size);
  return image;
}

}  // namespace pinlet::render
