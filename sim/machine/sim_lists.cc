// The simulated lists: combo box, list box and tab strip.
#include <algorithm>

#include "sim/machine/sim_controls.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The entry after `current` (wrapping) whose text starts with the character,
// as a list's keyboard search finds it; -1 when none does.
int32_t NextStartingWith(const std::vector<std::string>& texts, int32_t current,
                         int key_ascii) {
  std::string prefix = CodePointToUtf8(static_cast<char32_t>(key_ascii));
  int32_t count = static_cast<int32_t>(texts.size());
  for (int32_t step = 1; step <= count; ++step) {
    int32_t i = ((current < 0 ? -1 : current) + step) % count;
    if (StartsWithIgnoringCase(texts[i], prefix)) return i;
  }
  return -1;
}

// The next entry for the arrow keys; `current` when the key moves nothing.
int32_t Arrow(int32_t current, int32_t count, int key_code) {
  if (count == 0) return current;
  if (key_code == ui::key::kDown) return std::min(count - 1, current + 1);
  if (key_code == ui::key::kUp) return std::max(0, current - 1);
  return current;
}

}  // namespace

SimComboBox::SimComboBox(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {
  rect = {0, 0, 1215, 315};
  back_colour = 0xFFFFFF;
}

void SimComboBox::AddItem(std::string_view item, std::string_view picture_key) {
  Enter("ComboBox.AddItem");
  entries.push_back({std::string(item), std::string(picture_key)});
}

void SimComboBox::Clear() {
  Enter("ComboBox.Clear");
  entries.clear();
  Select(-1);
}

int32_t SimComboBox::ListCount() {
  Enter("ComboBox.ListCount");
  return static_cast<int32_t>(entries.size());
}

std::string SimComboBox::List(int32_t index) {
  Enter("ComboBox.List");
  return index >= 0 && index < static_cast<int32_t>(entries.size()) ? entries[index].text
                                                                    : "";
}

std::string SimComboBox::ItemPicture(int32_t index) {
  Enter("ComboItem.Image");
  if (index < 0 || index >= static_cast<int32_t>(entries.size()))
    throw IndexOutOfBoundsError("ComboItem.Image");
  return entries[index].picture_key;
}

int32_t SimComboBox::ListIndex() {
  Enter("ComboBox.ListIndex");
  return list_index;
}

void SimComboBox::SetListIndex(int32_t index) {
  Enter("ComboBox.ListIndex");
  if (index < -1 || index >= static_cast<int32_t>(entries.size()))
    throw InvalidPropertyValueError("ComboBox.ListIndex");
  Select(index);
}

std::string SimComboBox::Text() {
  Enter("ComboBox.Text");
  return text;
}

void SimComboBox::SetText(std::string_view value) {
  Enter("ComboBox.Text");
  if (style == kDropDownList) {
    std::string ignored;
    std::vector<std::string> texts = Texts();
    auto position = FindEntry(texts, value, 0, ignored);
    if (!position || value.starts_with('#'))
      throw HostError(errors::kPropertyReadOnly, "'Text' property is read-only",
                      "ComboBox.Text");
    return Select(*position);
  }
  Type(std::string(value));
}

int SimComboBox::Style() {
  Enter("ComboBox.Style");
  return style;
}

void SimComboBox::SetStyle(int value) {
  Enter("ComboBox.Style");
  if (value < 0 || value > 2) throw InvalidPropertyValueError("ComboBox.Style");
  style = value;
}

ui::Font SimComboBox::GetFont() {
  Enter("ComboBox.Font");
  return font;
}

void SimComboBox::SetFont(const ui::Font& f) {
  Enter("ComboBox.Font");
  font = f;
}

Subscription SimComboBox::OnChange(ui::Handler h) { return Advise(change, "Change", h); }

std::vector<std::string> SimComboBox::Texts() const {
  std::vector<std::string> texts;
  for (const ListEntry& e : entries) texts.push_back(e.text);
  return texts;
}

void SimComboBox::Select(int32_t index) {
  std::string new_text = index >= 0 ? entries[index].text : "";
  bool index_changed = index != list_index;
  bool text_changed = new_text != text;
  list_index = index;
  text = std::move(new_text);
  if (index_changed) click.Fire();
  if (text_changed) change.Fire();
}

void SimComboBox::Type(std::string value) {
  int32_t index = -1;
  for (size_t i = 0; i < entries.size() && index < 0; ++i)
    if (EqualsIgnoringCase(entries[i].text, value)) index = static_cast<int32_t>(i);
  bool index_changed = index != list_index;
  bool text_changed = value != text;
  list_index = index;
  text = std::move(value);
  if (index_changed) click.Fire();
  if (text_changed) change.Fire();
}

bool SimComboBox::SetByUser(std::string_view value, std::string& error) {
  if (style == kDropDownList) return ChooseByUser(value, error);
  Type(std::string(value));
  return true;
}

bool SimComboBox::ChooseByUser(std::string_view entry, std::string& error) {
  std::vector<std::string> texts = Texts();
  auto position = FindEntry(texts, entry, 0, error);
  if (position) Select(*position);
  return position.has_value();
}

void SimComboBox::KeyByUser(int key_code, int) {
  int32_t next = Arrow(list_index, static_cast<int32_t>(entries.size()), key_code);
  if (next != list_index) Select(next);
}

void SimComboBox::CharByUser(int key_ascii) {
  if (style == kDropDownList) {
    std::vector<std::string> texts = Texts();
    int32_t next = key_ascii >= 32 ? NextStartingWith(texts, list_index, key_ascii) : -1;
    if (next >= 0) Select(next);
    return;
  }
  if (key_ascii == ui::key::kBack) {
    std::u16string units = Utf8ToUtf16(text);
    if (!units.empty()) units.pop_back();
    return Type(Utf16ToUtf8(units));
  }
  if (key_ascii >= 32) Type(text + CodePointToUtf8(static_cast<char32_t>(key_ascii)));
}

std::string SimComboBox::DescribeState() const {
  return ComboState(text, list_index, entries.size(),
                    list_index < 0 ? "" : entries[list_index].picture_key);
}

SimListBox::SimListBox(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {
  rect = {0, 0, 1215, 1035};
  back_colour = 0xFFFFFF;
}

void SimListBox::AddItem(std::string_view item, int32_t index) {
  Enter("ListBox.AddItem");
  int32_t count = static_cast<int32_t>(entries.size());
  if (index < -1 || index > count) throw InvalidArgumentError("ListBox.AddItem");
  if (index == -1) index = count;
  entries.insert(entries.begin() + index, std::string(item));
  if (list_index >= index) ++list_index;  // the selection stays on its entry
}

void SimListBox::RemoveItem(int32_t index) {
  Enter("ListBox.RemoveItem");
  if (index < 0 || index >= static_cast<int32_t>(entries.size()))
    throw InvalidArgumentError("ListBox.RemoveItem");
  entries.erase(entries.begin() + index);
  if (list_index == index)
    list_index = -1;
  else if (list_index > index)
    --list_index;
}

void SimListBox::Clear() {
  Enter("ListBox.Clear");
  entries.clear();
  list_index = -1;
}

int32_t SimListBox::ListCount() {
  Enter("ListBox.ListCount");
  return static_cast<int32_t>(entries.size());
}

std::string SimListBox::List(int32_t index) {
  Enter("ListBox.List");
  return index >= 0 && index < static_cast<int32_t>(entries.size()) ? entries[index] : "";
}

int32_t SimListBox::ListIndex() {
  Enter("ListBox.ListIndex");
  return list_index;
}

void SimListBox::SetListIndex(int32_t index) {
  Enter("ListBox.ListIndex");
  if (index < -1 || index >= static_cast<int32_t>(entries.size()))
    throw InvalidPropertyValueError("ListBox.ListIndex");
  Select(index);
}

bool SimListBox::Selected(int32_t index) {
  Enter("ListBox.Selected");
  if (index < 0 || index >= static_cast<int32_t>(entries.size()))
    throw HostError(errors::kInvalidArrayIndex, "Invalid property array index",
                    "ListBox.Selected");
  return index == list_index;
}

void SimListBox::SetSelected(int32_t index, bool selected) {
  Enter("ListBox.Selected");
  if (index < 0 || index >= static_cast<int32_t>(entries.size()))
    throw HostError(errors::kInvalidArrayIndex, "Invalid property array index",
                    "ListBox.Selected");
  if (selected)
    Select(index);
  else if (index == list_index)
    Select(-1);
}

ui::Font SimListBox::GetFont() {
  Enter("ListBox.Font");
  return font;
}

void SimListBox::SetFont(const ui::Font& f) {
  Enter("ListBox.Font");
  font = f;
}

void SimListBox::Select(int32_t index) {
  if (index == list_index) return;
  list_index = index;
  click.Fire();
}

bool SimListBox::SetByUser(std::string_view value, std::string& error) {
  return ChooseByUser(value, error);
}

bool SimListBox::ChooseByUser(std::string_view entry, std::string& error) {
  auto position = FindEntry(entries, entry, 0, error);
  if (position) Select(*position);
  return position.has_value();
}

void SimListBox::KeyByUser(int key_code, int) {
  Select(Arrow(list_index, static_cast<int32_t>(entries.size()), key_code));
}

std::string SimListBox::DescribeState() const { return ListState(entries, list_index); }

SimTabStrip::SimTabStrip(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {
  rect = {0, 0, 3000, 2000};
}

void SimTabStrip::AddTab(std::string_view caption) {
  Enter("Tabs.Add");
  tabs.emplace_back(caption);
  if (selected == 0) selected = 1;
}

int32_t SimTabStrip::TabCount() {
  Enter("Tabs.Count");
  return static_cast<int32_t>(tabs.size());
}

std::string SimTabStrip::TabCaption(int32_t index) {
  Enter("Tab.Caption");
  if (index < 1 || index > static_cast<int32_t>(tabs.size()))
    throw IndexOutOfBoundsError("Tab.Caption");
  return tabs[index - 1];
}

int32_t SimTabStrip::SelectedTab() {
  Enter("TabStrip.SelectedItem");
  return selected;
}

void SimTabStrip::SetSelectedTab(int32_t index) {
  Enter("TabStrip.SelectedItem");
  if (index < 1 || index > static_cast<int32_t>(tabs.size()))
    throw IndexOutOfBoundsError("TabStrip.SelectedItem");
  Select(index);
}

void SimTabStrip::Select(int32_t index) {
  if (index == selected) return;
  selected = index;
  click.Fire();
}

bool SimTabStrip::SetByUser(std::string_view value, std::string& error) {
  return ChooseByUser(value, error);
}

bool SimTabStrip::ChooseByUser(std::string_view entry, std::string& error) {
  auto position = FindEntry(tabs, entry, 1, error);
  if (position) Select(*position + 1);
  return position.has_value();
}

std::string SimTabStrip::DescribeState() const { return TabsState(tabs, selected); }

void SimComboBox::FillLook(ControlLook& look) const {
  look.text = text;
  look.font = font;
  look.list_index = list_index;
  for (const ListEntry& entry : entries) {
    look.entries.push_back(entry.text);
    look.entry_pictures.push_back(entry.picture_key);
  }
}

void SimListBox::FillLook(ControlLook& look) const {
  look.font = font;
  look.entries = entries;
  look.list_index = list_index;
}

void SimTabStrip::FillLook(ControlLook& look) const {
  look.entries = tabs;
  look.list_index = selected - 1;
}

}  // namespace pinlet::sim
