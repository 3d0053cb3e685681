// The fonts the pictures are drawn with: the DejaVu families of Debian's
// font packages, loaded from their folder into a font configuration of our
// own, so the machine's other fonts and its font settings never change a
// picture.
//
// The host's font names map to the family that looks most like them: sans
// serif faces ("MS Sans Serif", "Arial", "Tahoma", ...) to DejaVu Sans
// Condensed, whose widths are close to theirs; serif faces to DejaVu Serif
// Condensed; fixed-pitch faces to DejaVu Sans Mono; every other name to the
// fixed fallback, DejaVu Sans Condensed. Glyphs are drawn with grey
// antialiasing and no hinting of their outlines, on whole pixels (so that
// underlines are crisp), the same on every machine.
#ifndef PINLET_SIM_RENDER_FONTS_H_
#define PINLET_SIM_RENDER_FONTS_H_

#include <pango/pango.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/ui.h"

namespace pinlet::render {

class Fonts {
 public:
  // Loads the fonts from the first folder of kFontFolders that holds them;
  // when none does, the machine's own font configuration is used instead
  // (and fixed() is false).
  Fonts();
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // Where Debian's DejaVu packages put their files.
  static constexpr const char* kFontFolders[] = {"/usr/share/fonts/truetype/dejavu"};

  // The layout context every canvas draws text with; owned by this.
  PangoContext* context() const { return context_; }
  // The face and size of a host font, the size in pixels at 96 dots per
  // inch; owned by this and kept while it lives.
  const PangoFontDescription* Describe(const ui::Font& font);
  // Whether the pictures use the fixed fonts.
  bool fixed() const { return fixed_; }
  // The family drawn for a host font name.
  static std::string FamilyFor(std::string_view host_name);

 private:
  PangoFontMap* map_ = nullptr;
  PangoContext* context_ = nullptr;
  bool fixed_ = false;
  std::map<std::tuple<std::string, int, bool, bool>, PangoFontDescription*> cache_;
};

}  // namespace pinlet::render

#endif  // PINLET_SIM_RENDER_FONTS_H_
