#include "sim/render/fonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "platform/text.h"

namespace pinlet::render {
namespace {

constexpr const char* kSans = "DejaVu Sans Condensed";
constexpr const char* kSerif = "DejaVu Serif Condensed";
constexpr const char* kMono = "DejaVu Sans Mono";

// A folder that holds the fonts, or "".
std::string FontFolder() {
  for (const char* folder : Fonts::kFontFolders) {
    std::error_code code;
    if (std::filesystem::exists(std::filesystem::path(folder) / "DejaVuSans.ttf", code))
      return folder;
  }
  return "";
}

}  // namespace

Fonts::Fonts() {
  std::string folder = FontFolder();
  if (!folder.empty()) {
    // Each file is added by itself, in the order of their names: adding the
    // folder would make fontconfig look for a cache to write.
    std::vector<std::string> files;
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator(folder, code))
      if (entry.path().extension() == ".ttf") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    FcConfig* config = FcConfigCreate();
    bool added = !files.empty();
    for (const std::string& file : files)
      added &= FcConfigAppFontAddFile(
                   config, reinterpret_cast<const FcChar8*>(file.c_str())) == FcTrue;
    if (added) {
      map_ = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
      if (map_ && PANGO_IS_FC_FONT_MAP(map_)) {
        pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map_), config);
        fixed_ = true;
      }
    }
    FcConfigDestroy(config);  // the font map keeps its own reference
  }
  if (!fixed_) {
    if (map_) g_object_unref(map_);
    map_ = pango_cairo_font_map_new();
  }
  context_ = pango_font_map_create_context(map_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(context_, 96);
}

Fonts::~Fonts() {
  for (auto& [key, description] : cache_) pango_font_description_free(description);
  g_object_unref(context_);
  g_object_unref(map_);
}

const PangoFontDescription* Fonts::Describe(const ui::Font& font) {
  // Points to pixels at 96 dots per inch, kept to a tenth of a pixel.
  int tenths = static_cast<int>(std::lround(font.size * 96.0 / 72.0 * 10.0));
  auto key = std::make_tuple(font.name, tenths, font.bold, font.italic);
  auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, FamilyFor(font.name).c_str());
  pango_font_description_set_absolute_size(description,
                                           std::max(1, tenths) * PANGO_SCALE / 10.0);
  pango_font_description_set_weight(description,
                                    font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description,
                                   font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  cache_.emplace(key, description);
  return description;
}

std::string Fonts::FamilyFor(std::string_view host_name) {
  static constexpr std::string_view kSerifNames[] = {
      "Times New Roman", "Times",        "MS Serif",          "Georgia",
      "Garamond",        "Book Antiqua", "Palatino Linotype", "Century Schoolbook"};
  static constexpr std::string_view kMonoNames[] = {
      "Courier New", "Courier", "Lucida Console", "Consolas", "Fixedsys", "Terminal"};
  for (std::string_view name : kSerifNames)
    if (EqualsIgnoringCase(name, host_name)) return kSerif;
  for (std::string_view name : kMonoNames)
    if (EqualsIgnoringCase(name, host_name)) return kMono;
  // "MS Sans Serif", "Arial", "Tahoma", "Verdana" and any name not known.
  return kSans;
}

}  // namespace pinlet::render
