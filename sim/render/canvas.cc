#include "sim/render/canvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/text.h"
#include "sim/render/theme.h"

namespace pinlet::render {
namespace {

void SetColour(cairo_t* cr, uint32_t colour) {
  cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, (colour >> 8 & 0xFF) / 255.0,
                       (colour >> 16 & 0xFF) / 255.0);
}

// The text without its access-key marks, and the byte where the marked
// character starts (-1 when none).
std::string StripAccessKeys(std::string_view text, int& marked) {
  std::string out;
  marked = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && marked < 0) marked = static_cast<int>(out.size());
    }
    out += text[i];
  }
  return out;
}

// The byte length of the UTF-8 character starting at `at`.
int CharLength(const std::string& text, int at) {
  int length = 1;
  while (at + length < static_cast<int>(text.size()) &&
         (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

struct Layout {
  PangoLayout* layout;
  ~Layout() { g_object_unref(layout); }
};

PangoAttribute* Ranged(PangoAttribute* attribute, size_t from, size_t to) {
  attribute->start_index = static_cast<guint>(from);
  attribute->end_index = static_cast<guint>(to);
  return attribute;
}

PangoLayout* MakeLayout(Fonts& fonts, std::string_view text, const ui::Font& font,
                        bool access_keys, size_t selected_from = 0,
                        size_t selected_to = 0) {
  PangoLayout* layout = pango_layout_new(fonts.context());
  pango_layout_set_font_description(layout, fonts.Describe(font));
  std::string valid = ValidUtf8(text);
  int marked = -1;
  if (access_keys) valid = StripAccessKeys(valid, marked);
  pango_layout_set_text(layout, valid.data(), static_cast<int>(valid.size()));
  PangoAttrList* attributes = pango_attr_list_new();
  if (font.underline)
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font.strikethrough)
    pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
  if (marked >= 0)
    pango_attr_list_insert(
        attributes, Ranged(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), marked,
                           marked + CharLength(valid, marked)));
  if (selected_to > selected_from && selected_to <= valid.size()) {
    // The system's highlight: white on dark blue.
    pango_attr_list_insert(attributes,
                           Ranged(pango_attr_background_new(0x0A0A, 0x2424, 0x6A6A),
                                  selected_from, selected_to));
    pango_attr_list_insert(attributes,
                           Ranged(pango_attr_foreground_new(0xFFFF, 0xFFFF, 0xFFFF),
                                  selected_from, selected_to));
  }
  pango_layout_set_attributes(layout, attributes);
  pango_attr_list_unref(attributes);
  return layout;
}

// The byte length of the longest start of `text` no longer than `limit` that
// ends between two UTF-8 characters.
size_t CharBoundary(std::string_view text, size_t limit) {
  if (limit >= text.size()) return text.size();
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
  return limit;
}

// Whether the layout's line that holds byte `index` starts at or below
// `bottom` pixels, so that it and every line after it lie outside a box that
// high.
bool StartsBelow(PangoLayout* layout, size_t index, int bottom) {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(layout, static_cast<int>(index), FALSE, &line, &x);
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  for (int i = 0; i < line && pango_layout_iter_next_line(iter); ++i) {
  }
  int top = 0, bottom_of_line = 0;
  pango_layout_iter_get_line_yrange(iter, &top, &bottom_of_line);
  pango_layout_iter_free(iter);
  return top / PANGO_SCALE >= bottom;
}

}  // namespace

Box Box::Inset(int d) const {
  return {x + d, y + d, std::max(0, w - 2 * d), std::max(0, h - 2 * d)};
}

int Px(int32_t twips) {
  return static_cast<int>(std::floor(twips / static_cast<double>(kTwipsPerPixel)));
}

Box PxBox(const Rect& rect) {
  return {Px(rect.left), Px(rect.top), Px(rect.width), Px(rect.height)};
}

std::string ValidUtf8(std::string_view text) {
  if (FindInvalidUtf8(text) == std::string_view::npos) return std::string(text);
  return Utf16ToUtf8(Utf8ToUtf16(text));
}

Canvas::Canvas(Image& image, Fonts& fonts)
    : cr_(cairo_create(image.surface())), fonts_(fonts) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_update_context(cr_, fonts_.context());
}

Canvas::~Canvas() {
  cairo_surface_flush(cairo_get_target(cr_));
  cairo_destroy(cr_);
}

void Canvas::Enter(const Box& box) {
  cairo_save(cr_);
  cairo_rectangle(cr_, box.x, box.y, box.w, box.h);
  cairo_clip(cr_);
  cairo_translate(cr_, box.x, box.y);
}

void Canvas::Leave() { cairo_restore(cr_); }

void Canvas::Fill(const Box& box, uint32_t colour) {
  if (box.w <= 0 || box.h <= 0) return;
  SetColour(cr_, colour);
  cairo_rectangle(cr_, box.x, box.y, box.w, box.h);
  cairo_fill(cr_);
}

void Canvas::Outline(const Box& box, uint32_t colour) {
  if (box.w <= 0 || box.h <= 0) return;
  HLine(box.x, box.y, box.w, colour);
  HLine(box.x, box.bottom() - 1, box.w, colour);
  VLine(box.x, box.y, box.h, colour);
  VLine(box.right() - 1, box.y, box.h, colour);
}

void Canvas::FocusOutline(const Box& box) {
  for (int x = box.x; x < box.right(); x += 2) {
    Fill({x, box.y, 1, 1}, colour::kText);
    Fill({x, box.bottom() - 1, 1, 1}, colour::kText);
  }
  for (int y = box.y; y < box.bottom(); y += 2) {
    Fill({box.x, y, 1, 1}, colour::kText);
    Fill({box.right() - 1, y, 1, 1}, colour::kText);
  }
}

void Canvas::Line(double x0, double y0, double x1, double y1, uint32_t colour,
                  double width) {
  SetColour(cr_, colour);
  cairo_set_line_width(cr_, width);
  cairo_move_to(cr_, x0 + 0.5, y0 + 0.5);
  cairo_line_to(cr_, x1 + 0.5, y1 + 0.5);
  cairo_stroke(cr_);
}

void Canvas::Triangle(double x0, double y0, double x1, double y1, double x2, double y2,
                      uint32_t colour) {
  SetColour(cr_, colour);
  cairo_move_to(cr_, x0, y0);
  cairo_line_to(cr_, x1, y1);
  cairo_line_to(cr_, x2, y2);
  cairo_close_path(cr_);
  cairo_fill(cr_);
}

void Canvas::Disc(double cx, double cy, double radius, uint32_t colour) {
  SetColour(cr_, colour);
  cairo_arc(cr_, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr_);
}

void Canvas::Gradient(const Box& box, uint32_t left, uint32_t right) {
  if (box.w <= 0 || box.h <= 0) return;
  cairo_pattern_t* pattern = cairo_pattern_create_linear(box.x, 0, box.right(), 0);
  for (auto [offset, c] : {std::pair{0.0, left}, std::pair{1.0, right}})
    cairo_pattern_add_color_stop_rgb(pattern, offset, (c & 0xFF) / 255.0,
                                     (c >> 8 & 0xFF) / 255.0, (c >> 16 & 0xFF) / 255.0);
  cairo_set_source(cr_, pattern);
  cairo_rectangle(cr_, box.x, box.y, box.w, box.h);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

void Canvas::DrawEdge(const Box& b, Edge edge) {
  if (b.w < 2 || b.h < 2) return;
  // Top-left and bottom-right colours of the outer and the inner ring.
  auto ring = [&](const Box& r, uint32_t top_left, uint32_t bottom_right) {
    HLine(r.x, r.y, r.w - 1, top_left);
    VLine(r.x, r.y, r.h - 1, top_left);
    HLine(r.x, r.bottom() - 1, r.w, bottom_right);
    VLine(r.right() - 1, r.y, r.h, bottom_right);
  };
  switch (edge) {
    case Edge::kRaised:
      ring(b, colour::kFace, colour::kDarkShadow);
      ring(b.Inset(1), colour::kLight, colour::kShadow);
      break;
    case Edge::kSunken:
      ring(b, colour::kShadow, colour::kLight);
      ring(b.Inset(1), colour::kDarkShadow, colour::kFace);
      break;
    case Edge::kRaisedThin:
      ring(b, colour::kLight, colour::kShadow);
      break;
    case Edge::kSunkenThin:
      ring(b, colour::kShadow, colour::kLight);
      break;
    case Edge::kEtched:
      Outline({b.x, b.y, b.w - 1, b.h - 1}, colour::kShadow);
      ring({b.x + 1, b.y + 1, b.w - 1, b.h - 1}, colour::kLight, colour::kLight);
      break;
  }
}

// Wrapped text from the top of a box shows only its first lines, and laying
// out a long paragraph whole costs more than its length (the line breaking
// of one paragraph is not linear). So only a start of the text is laid out,
// doubled until the line where it is cut starts below the box: the lines
// above are then those of the whole text, since each line breaks by what
// precedes it.
PangoLayout* Canvas::VisibleLayout(const Box& box, std::string_view text,
                                   const TextStyle& style) {
  std::string valid = ValidUtf8(text);
  size_t length = static_cast<size_t>(box.w + 1) * (box.h / 8 + 2) * 4;
  for (;;) {
    size_t cut = CharBoundary(valid, length);
    PangoLayout* layout =
        MakeLayout(fonts_, std::string_view(valid).substr(0, cut), style.font,
                   style.access_keys, style.selected_from, std::min(style.selected_to, cut));
    pango_layout_set_width(layout, box.w * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if (cut == valid.size() || StartsBelow(layout, cut - 1, box.h)) return layout;
    g_object_unref(layout);
    length *= 2;
  }
}

void Canvas::Text(const Box& box, std::string_view text, const TextStyle& style) {
  if (text.empty() || box.w <= 0 || box.h <= 0) return;
  Layout l{style.wrap && !style.middle && !style.access_keys
               ? VisibleLayout(box, text, style)
               : MakeLayout(fonts_, text, style.font, style.access_keys,
                            style.selected_from, style.selected_to)};
  PangoAlignment alignment = style.align == Align::kCenter  ? PANGO_ALIGN_CENTER
                             : style.align == Align::kRight ? PANGO_ALIGN_RIGHT
                                                            : PANGO_ALIGN_LEFT;
  pango_layout_set_alignment(l.layout, alignment);
  if (style.wrap) {
    pango_layout_set_width(l.layout, box.w * PANGO_SCALE);
    pango_layout_set_wrap(l.layout, PANGO_WRAP_WORD_CHAR);
  } else if (style.ellipsis) {
    pango_layout_set_width(l.layout, box.w * PANGO_SCALE);
    pango_layout_set_ellipsize(l.layout, PANGO_ELLIPSIZE_END);
  }
  int width = 0, height = 0;
  pango_layout_get_pixel_size(l.layout, &width, &height);
  int x = box.x;
  if (!style.wrap && !style.ellipsis) {
    if (style.align == Align::kCenter) x += (box.w - width) / 2;
    if (style.align == Align::kRight) x += box.w - width;
  }
  int y = box.y + (style.middle ? (box.h - height) / 2 : 0);
  cairo_save(cr_);
  cairo_rectangle(cr_, box.x, box.y, box.w, box.h);
  cairo_clip(cr_);
  SetColour(cr_, style.colour);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, l.layout);
  cairo_restore(cr_);
}

int Canvas::TextWidth(std::string_view text, const ui::Font& font, bool access_keys) {
  Layout l{MakeLayout(fonts_, text, font, access_keys)};
  int width = 0, height = 0;
  pango_layout_get_pixel_size(l.layout, &width, &height);
  return width;
}

int Canvas::LineHeight(const ui::Font& font) {
  Layout l{MakeLayout(fonts_, "Xg", font, false)};
  int width = 0, height = 0;
  pango_layout_get_pixel_size(l.layout, &width, &height);
  return height;
}

std::pair<int, int> Canvas::WrappedSize(std::string_view text, const ui::Font& font,
                                        int wrap_width) {
  Layout l{MakeLayout(fonts_, text, font, false)};
  pango_layout_set_width(l.layout, std::max(1, wrap_width) * PANGO_SCALE);
  pango_layout_set_wrap(l.layout, PANGO_WRAP_WORD_CHAR);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(l.layout, &width, &height);
  return {width, height};
}

void Canvas::DrawPicture(const Picture& picture, int x, int y, const PictureLook& look) {
  if (picture.empty()) return;
  const int w = picture.width, h = picture.height;
  bool use_mask =
      look.mask && look.mask->width == w && look.mask->height == h && !look.mask->empty();
  auto transparent = [&](int px, int py) {
    uint32_t c = picture.At(px, py);
    return (use_mask && look.mask->At(px, py) == kWhite) || (look.key && c == *look.key);
  };
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  auto put = [&](int px, int py, uint32_t c) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(py) * stride);
    row[px] = 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  };
  for (int py = 0; py < h; ++py) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(py) * stride);
    std::fill(row, row + w, 0u);
  }
  if (!look.disabled) {
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px)
        if (!transparent(px, py)) put(px, py, picture.At(px, py));
  } else {
    // The classic greyed command: the darker shapes embossed, a white copy
    // one pixel down and right under a grey one; light parts drop out.
    auto dark = [&](int px, int py) {
      if (transparent(px, py)) return false;
      uint32_t c = picture.At(px, py);
      uint32_t luma =
          ((c & 0xFF) * 299 + (c >> 8 & 0xFF) * 587 + (c >> 16 & 0xFF) * 114) / 1000;
      return luma < 192;
    };
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px)
        if (dark(px, py) && px + 1 < w && py + 1 < h) put(px + 1, py + 1, colour::kLight);
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px)
        if (dark(px, py)) put(px, py, colour::kShadow);
  }
  cairo_surface_mark_dirty(surface);
  cairo_set_source_surface(cr_, surface, x, y);
  cairo_paint(cr_);
  cairo_surface_destroy(surface);
}

}  // namespace pinlet::render
