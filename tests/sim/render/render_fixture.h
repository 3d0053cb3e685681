// A simulated machine and the renderer, with helpers that look at pictures
// the way a person does: the colour in a place, and how many pixels of a
// kind a region holds.
#ifndef PINLET_TESTS_RENDER_RENDER_FIXTURE_H_
#define PINLET_TESTS_RENDER_RENDER_FIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "addin/pictures.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"
#include "platform/ui_controls.h"
#include "sim/render/renderer.h"

namespace pinlet::render {

// A rectangle of a picture, in pixels.
struct Region {
  int x, y, w, h;
};

class RenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    renderer =
        new Renderer({[](std::string_view key) { return LoadResPicture(key); },
                      [](const sim::ItemNode& item) { return marked && marked(item); }});
  }
  static void TearDownTestSuite() {
    delete renderer;
    renderer = nullptr;
  }
  void TearDown() override {
    for (const std::string& defect : world.defects())
      ADD_FAILURE() << "defect: " << defect;
    marked = nullptr;
  }

  // A form of `width` by `height` twips at (1500, 1500), shown.
  ui::FormPtr ShownForm(const std::string& name, int32_t width, int32_t height) {
    ui::FormPtr form = world.ui.CreateForm(name);
    form->Move(1500, 1500, width, height);
    form->Show(ui::kModeless);
    return form;
  }
  static sim::SimForm& Sim(const ui::FormPtr& form) {
    return static_cast<sim::SimForm&>(*form);
  }
  Image Draw(const ui::FormPtr& form) { return renderer->Form(Sim(form).Look()); }

  static int Count(const Image& image, Region r,
                   const std::function<bool(uint32_t)>& wanted) {
    int n = 0;
    for (int y = std::max(0, r.y); y < std::min(image.height(), r.y + r.h); ++y)
      for (int x = std::max(0, r.x); x < std::min(image.width(), r.x + r.w); ++x)
        if (wanted(image.Pixel(x, y))) ++n;
    return n;
  }
  static std::function<bool(uint32_t)> Is(uint32_t colour) {
    return [colour](uint32_t c) { return c == colour; };
  }
  // Dark enough to be ink on a light ground.
  static bool Ink(uint32_t c) {
    return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) < 3 * 100;
  }
  static bool Reddish(uint32_t c) {
    return (c & 0xFF) > 160 && (c >> 8 & 0xFF) < 90 && (c >> 16 & 0xFF) < 90;
  }
  // Whether two pictures differ anywhere in the region.
  static bool Differ(const Image& a, const Image& b, Region r) {
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return true;
    return false;
  }

  static inline Renderer* renderer = nullptr;
  static inline std::function<bool(const sim::ItemNode&)> marked;
  sim::World world;
};

}  // namespace pinlet::render

#endif  // PINLET_TESTS_RENDER_RENDER_FIXTURE_H_
