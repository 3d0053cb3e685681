// What the note model reads: the appearance a new note takes from the
// settings, an existing note's own properties, and what a new note is given
// when it is made.
#include "notewindow/note_model.h"

#include <utility>

#include "addin/settings.h"
#include "addin/string_table.h"
#include "platform/host_error.h"

namespace pinlet {

NoteModel::NoteModel(AddinContext& ctx, Binding binding)
    : ctx_(ctx), binding_(std::move(binding)) {}

std::string NoteModel::ColourProperty(uint32_t colour) {
  return std::to_string(colour & 0xFFFFFF);
}

uint32_t NoteModel::PropertyColour(const std::string& text) {
  return static_cast<uint32_t>(ToLong(Variant(text))) & 0xFFFFFF;
}

void NoteModel::LoadDefaults() {
  Registry& reg = ctx_.registry();
  back_colour = ReadNoteBackColor(reg);
  font = ui::Font();
  std::string name = ReadText(reg, kNoteKey, "FontName");
  if (!name.empty()) font.name = name;
  double size = ToDouble(ReadValue(reg, RootKey::kCurrentUser, kNoteKey, "FontSize"));
  if (size > 0) font.size = size;
  auto flag = [&](const char* value) {
    return ToBool(ReadValue(reg, RootKey::kCurrentUser, kNoteKey, value));
  };
  font.bold = flag("FontBold");
  font.italic = flag("FontItalic");
  font.underline = flag("FontUnderline");
  font.strikethrough = flag("FontStrikethru");
  fore_colour = PropertyColour(ReadText(reg, kNoteKey, "ForeColor"));
}

std::vector<NoteValue> NoteModel::ShownProperties() const {
  std::vector<NoteValue> values{{LoadResString(res::kZpnTitle), binding_.title()}};
  for (NoteValue& value : FontProperties()) values.push_back(std::move(value));
  values.push_back({LoadResString(res::kZpnBackColor), ColourProperty(back_colour)});
  values.push_back({LoadResString(res::kZpnFullBody), ""});
  values.push_back({kReminderProperty, reminder});
  return values;
}

std::vector<NoteValue> NoteModel::FontProperties() const {
  return {{LoadResString(res::kZpnFontName), font.name},
          {LoadResString(res::kZpnFontBold), ToText(Variant(font.bold))},
          {LoadResString(res::kZpnFontItalic), ToText(Variant(font.italic))},
          {LoadResString(res::kZpnFontSize), ToText(Variant(font.size))},
          {LoadResString(res::kZpnForeColor), ColourProperty(fore_colour)},
          {LoadResString(res::kZpnFontUnderline), ToText(Variant(font.underline))},
          {LoadResString(res::kZpnFontStrikethru), ToText(Variant(font.strikethrough))}};
}

NoteModel::Loaded NoteModel::Load(const ol::ItemPtr& note) {
  // What the model holds now, for the properties the note does not have.
  std::vector<NoteValue> shown_values = ShownProperties();
  std::vector<std::string> names;
  for (const NoteValue& v : shown_values) names.push_back(v.name);
  std::vector<NoteRead> reads = ReadNoteProperties(ctx_, note, names);
  std::vector<NoteValue> missing;
  for (size_t i = 0; i < reads.size(); ++i) {
    if (!reads[i].absent()) continue;
    missing.push_back(shown_values[i]);
    reads[i] = {NoteRead::State::kFound, shown_values[i].value};
  }
  if (!missing.empty()) IgnoreError([&] { WriteNoteProperties(ctx_, note, missing); });
  auto value = [&](size_t i) -> const std::string* {
    return reads[i].found() ? &reads[i].value : nullptr;
  };
  Loaded loaded;
  if (auto v = value(0)) loaded.title = *v;
  if (auto v = value(1); v && !v->empty()) font.name = *v;
  if (auto v = value(2)) font.bold = ToBool(Variant(*v));
  if (auto v = value(3)) font.italic = ToBool(Variant(*v));
  if (auto v = value(4); v && ToDouble(Variant(*v)) > 0)
    font.size = ToDouble(Variant(*v));
  if (auto v = value(5)) fore_colour = PropertyColour(*v);
  if (auto v = value(6)) font.underline = ToBool(Variant(*v));
  if (auto v = value(7)) font.strikethrough = ToBool(Variant(*v));
  if (auto v = value(8)) back_colour = PropertyColour(*v);
  if (auto v = value(9))
    loaded.text = *v;
  else
    LockText();
  if (auto v = value(10)) reminder = *v;
  return loaded;
}

bool NoteModel::LoadOnTop(const ol::ItemPtr& note) {
  const std::string names[] = {kOnTopProperty};
  NoteRead read = ReadNoteProperties(ctx_, note, names).front();
  if (read.found()) return read.value == "1";
  // A note without the property starts with the setting's value.
  std::string value =
      std::to_string(ReadCheck(ctx_.registry(), kNoteKey, "NoteOnTop") ? 1 : 0);
  if (read.absent())
    IgnoreError([&] { WriteNoteProperty(ctx_, note, kOnTopProperty, value); });
  return value == "1";
}

void NoteModel::RecordNew(const ol::ItemPtr& note, std::optional<bool> on_top) {
  IgnoreError([&] { new_note_id_ = note->EntryID(); });
  std::vector<NoteValue> values = ShownProperties();
  values.erase(values.begin());  // its title is the item's, written already
  bool kept_on_top = on_top ? *on_top : ReadCheck(ctx_.registry(), kNoteKey, "NoteOnTop");
  values.push_back({kOnTopProperty, kept_on_top ? "1" : "0"});
  IgnoreError([&] { WriteNoteProperties(ctx_, note, values); });
}

void NoteModel::Forget() {
  text_unread_ = false;
  reminder.clear();
  pending_ = 0;
  new_note_id_.clear();
}

}  // namespace pinlet
