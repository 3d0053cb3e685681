// Drawing on an Image: boxes, the classic three-dimensional edges of the
// host's controls, text in a host font, and pictures with their
// transparency. Everything is in whole pixels of the picture.
//
// A canvas is used by one drawing at a time; Enter narrows it to a box
// (clipping to it and moving the origin to its corner) until Leave.
#ifndef PINLET_SIM_RENDER_CANVAS_H_
#define PINLET_SIM_RENDER_CANVAS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/picture.h"
#include "platform/ui.h"
#include "sim/render/fonts.h"
#include "sim/render/image.h"

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

namespace pinlet::render {

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  // The box shrunk by `d` on every side (never below 0 by 0).
  Box Inset(int d) const;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + w && py < y + h;
  }
};

// Pixels of a length in twips (15 twips a pixel), rounded down.
int Px(int32_t twips);
// The box of a rectangle in twips.
Box PxBox(const Rect& rect);

enum class Edge {
  kRaised,      // a button or a window frame: two pixels, light above
  kSunken,      // a text box or list: two pixels, dark above
  kRaisedThin,  // one pixel, light above
  kSunkenThin,  // one pixel, dark above
  kEtched,      // a frame's groove
};

enum class Align { kLeft, kCenter, kRight };

struct TextStyle {
  ui::Font font;
  uint32_t colour = 0x000000;
  Align align = Align::kLeft;
  bool middle = false;       // centred from top to bottom
  bool wrap = false;         // lines wrap at word breaks to the box's width
  bool access_keys = false;  // "&x" underlines x; "&&" is "&"
  bool ellipsis = false;     // a line wider than the box ends with "..."
  // Bytes of the text drawn selected (highlighted); none when empty.
  size_t selected_from = 0, selected_to = 0;
};

// How a picture's pixels show: where it is transparent (the white of a
// mask, or a key colour), and whether it is drawn in the greyed look of a
// disabled command.
struct PictureLook {
  const Picture* mask = nullptr;  // same size; white marks transparent
  std::optional<uint32_t> key;    // pixels of this colour are transparent
  bool disabled = false;
};

class Canvas {
 public:
  Canvas(Image& image, Fonts& fonts);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Enter(const Box& box);
  void Leave();

  void Fill(const Box& box, uint32_t colour);
  // A one-pixel outline inside the box.
  void Outline(const Box& box, uint32_t colour);
  // A one-pixel dotted outline inside the box: the focus rectangle.
  void FocusOutline(const Box& box);
  void HLine(int x, int y, int w, uint32_t colour) { Fill({x, y, w, 1}, colour); }
  void VLine(int x, int y, int h, uint32_t colour) { Fill({x, y, 1, h}, colour); }
  // A line between pixel centres, `width` pixels wide.
  void Line(double x0, double y0, double x1, double y1, uint32_t colour,
            double width = 1);
  // A filled triangle, circle, or a colour blend from left to right.
  void Triangle(double x0, double y0, double x1, double y1, double x2, double y2,
                uint32_t colour);
  void Disc(double cx, double cy, double radius, uint32_t colour);
  void Gradient(const Box& box, uint32_t left, uint32_t right);
  void DrawEdge(const Box& box, Edge edge);

  // Draws text inside the box (clipped to it).
  void Text(const Box& box, std::string_view text, const TextStyle& style);
  // The size of text in a font, without wrapping.
  int TextWidth(std::string_view text, const ui::Font& font, bool access_keys = false);
  int LineHeight(const ui::Font& font);
  // The width and height of text wrapped at word breaks to `wrap_width`.
  std::pair<int, int> WrappedSize(std::string_view text, const ui::Font& font,
                                  int wrap_width);

  // Draws the picture with its top-left corner at (x, y).
  void DrawPicture(const Picture& picture, int x, int y, const PictureLook& look = {});

 private:
  // A wrapped layout of as much of the text as the box can show from its top.
  PangoLayout* VisibleLayout(const Box& box, std::string_view text, const TextStyle& style);

  cairo_t* cr_;
  Fonts& fonts_;
};

// Well-formed UTF-8 of any text: malformed bytes become U+FFFD.
std::string ValidUtf8(std::string_view text);

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_CANVAS_H_
