// The simple kinds of control, the timer and the menu, and the factory of
// every kind.
#include "sim/machine/sim_controls.h"

#include <charconv>
#include <cstdio>

#include "sim/machine/font_metrics.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

// A label or a frame: a caption (and for a label a text colour and font).
template <typename I>
class SimCaptioned : public SimControl<I> {
 public:
  SimCaptioned(World* world, std::weak_ptr<SimForm> form, std::string name, Rect rect)
      : SimControl<I>(world, std::move(form), std::move(name)) {
    this->rect = rect;
  }
  std::string Caption() override {
    this->Enter(Member("Caption"));
    return caption;
  }
  void SetCaption(std::string_view text) override {
    this->Enter(Member("Caption"));
    caption = std::string(text);
  }
  std::string DescribeState() const override { return QuotedText(caption); }
  void FillLook(ControlLook& look) const override { look.caption = caption; }

  std::string caption;

 protected:
  std::string Member(std::string_view member) const {
    return std::string(I::kTypeName) + "." + std::string(member);
  }
};

class SimLabel : public SimCaptioned<ui::Label> {
 public:
  SimLabel(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimCaptioned(world, std::move(form), std::move(name), {0, 0, 1215, 255}) {}
  uint32_t ForeColor() override {
    Enter("Label.ForeColor");
    return fore_colour;
  }
  void SetForeColor(uint32_t colour) override {
    Enter("Label.ForeColor");
    fore_colour = colour;
  }
  ui::Font GetFont() override {
    Enter("Label.Font");
    return font;
  }
  void SetFont(const ui::Font& f) override {
    Enter("Label.Font");
    font = f;
  }
  void FillLook(ControlLook& look) const override {
    SimCaptioned::FillLook(look);
    look.fore_colour = fore_colour;
    look.font = font;
  }

  uint32_t fore_colour = 0x000000;
  ui::Font font;
};

class SimFrame : public SimCaptioned<ui::Frame> {
 public:
  SimFrame(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimCaptioned(world, std::move(form), std::move(name), {0, 0, 2000, 1500}) {}
};

class SimCommandButton : public SimCaptioned<ui::CommandButton> {
 public:
  SimCommandButton(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimCaptioned(world, std::move(form), std::move(name), {0, 0, 1215, 495}) {}
};

class SimCheckBox : public SimCaptioned<ui::CheckBox> {
 public:
  SimCheckBox(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimCaptioned(world, std::move(form), std::move(name), {0, 0, 1215, 255}) {}
  int Value() override {
    Enter("CheckBox.Value");
    return value;
  }
  void SetValue(int v) override {
    Enter("CheckBox.Value");
    if (v < 0 || v > 2) throw InvalidPropertyValueError("CheckBox.Value");
    Change(v);
  }

  bool SetByUser(std::string_view text, std::string& error) override {
    static const std::pair<std::string_view, int> kValues[] = {
        {"0", 0}, {"1", 1}, {"2", 2}, {"unchecked", 0}, {"checked", 1}};
    for (auto& [word, v] : kValues) {
      if (EqualsIgnoringCase(text, word)) {
        Change(v);
        return true;
      }
    }
    error = "a check box takes 0, 1, 2, checked or unchecked, not '" + std::string(text) +
            "'";
    return false;
  }
  // A click checks a clear or grey box and clears a checked one.
  void ClickedByUser() override { Change(value == 1 ? 0 : 1); }
  std::string DescribeState() const override { return CheckBoxState(caption, value); }
  void FillLook(ControlLook& look) const override {
    SimCaptioned::FillLook(look);
    look.value = value;
  }

  int value = 0;

 private:
  void Change(int v) {
    if (v == value) return;
    value = v;
    click.Fire();
  }
};

class SimPictureBox : public SimControl<ui::PictureBox> {
 public:
  SimPictureBox(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimControl(world, std::move(form), std::move(name)) {
    rect = {0, 0, 1215, 1215};
  }
  ui::Font GetFont() override {
    Enter("PictureBox.Font");
    return font;
  }
  void SetFont(const ui::Font& f) override {
    Enter("PictureBox.Font");
    font = f;
  }
  int32_t TextWidth(std::string_view text) override {
    Enter("PictureBox.TextWidth");
    return sim::TextWidth(font, text);
  }
  int32_t TextHeight(std::string_view text) override {
    Enter("PictureBox.TextHeight");
    return sim::TextHeight(font, text);
  }
  int32_t WrappedTextHeight(std::string_view text, int32_t width) override {
    Enter("DrawText");
    return sim::WrappedTextHeight(font, text, width);
  }
  void FillLook(ControlLook& look) const override { look.font = font; }

  ui::Font font;
};

class SimImage : public SimControl<ui::Image> {
 public:
  SimImage(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimControl(world, std::move(form), std::move(name)) {
    rect = {0, 0, 315, 315};
  }
  std::string PictureKey() override {
    Enter("Image.Picture");
    return picture_key;
  }
  void SetPicture(std::string_view key, const Picture& p) override {
    Enter("Image.Picture");
    picture_key = std::string(key);
    picture = p;
  }
  std::string DescribeState() const override { return ImageState(picture_key); }
  void FillLook(ControlLook& look) const override {
    look.picture_key = picture_key;
    look.picture = picture;
  }

  std::string picture_key;
  Picture picture;
};

class SimCalendar : public SimControl<ui::Calendar> {
 public:
  SimCalendar(World* world, std::weak_ptr<SimForm> form, std::string name)
      : SimControl(world, std::move(form), std::move(name)),
        value(Date(static_cast<int>(world->clock.now().value()))) {
    rect = {0, 0, 3000, 2500};
    back_colour = 0xFFFFFF;
  }
  std::optional<Date> Value() override {
    Enter("Calendar.Value");
    return value;
  }
  void SetValue(Date date) override {
    Enter("Calendar.Value");
    value = date;
  }
  bool SetByUser(std::string_view text, std::string& error) override {
    return ParseCalendarValue(text, value, error);
  }
  std::string DescribeState() const override { return CalendarState(value); }
  void FillLook(ControlLook& look) const override { look.date = value; }

  std::optional<Date> value;
};

}  // namespace

SimTimer::SimTimer(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {}

int32_t SimTimer::Interval() {
  Enter("Timer.Interval");
  return interval;
}

void SimTimer::SetInterval(int32_t milliseconds) {
  Enter("Timer.Interval");
  if (milliseconds < 0 || milliseconds > 65535)
    throw InvalidPropertyValueError("Timer.Interval");
  interval = milliseconds;
  Rearm();
}

Subscription SimTimer::OnTimer(ui::Handler h) { return Advise(timer, "Timer", h); }

void SimTimer::Rearm() {
  due = enabled && interval > 0 ? world_->ui.now_ms() + interval : -1;
}

std::string SimTimer::DescribeState() const {
  return TimerState(interval, due < 0
                                  ? std::nullopt
                                  : std::optional<int64_t>(due - world_->ui.now_ms()));
}

SimMenu::SimMenu(World* world, std::weak_ptr<SimForm> form, std::string name)
    : SimControl(world, std::move(form), std::move(name)) {}

std::string SimMenu::Caption() {
  Enter("Menu.Caption");
  return caption;
}

void SimMenu::SetCaption(std::string_view text) {
  Enter("Menu.Caption");
  caption = std::string(text);
}

bool SimMenu::Checked() {
  Enter("Menu.Checked");
  return checked;
}

void SimMenu::SetChecked(bool on) {
  Enter("Menu.Checked");
  checked = on;
}

std::string SimMenu::DescribeState() const { return MenuState(caption, checked); }

void SimMenu::FillLook(ControlLook& look) const {
  look.caption = caption;
  look.value = checked ? 1 : 0;
}

bool ParseCalendarValue(std::string_view text, std::optional<Date>& value,
                        std::string& error) {
  if (EqualsIgnoringCase(text, "none") || text.empty()) {
    value.reset();
    return true;
  }
  std::optional<Date> date = Date::Parse(text);
  if (!date) {
    error = "'" + std::string(text) + "' is not a date (m/d/yyyy) or none";
    return false;
  }
  value = date;
  return true;
}

std::optional<int32_t> FindEntry(const std::vector<std::string>& texts,
                                 std::string_view entry, int32_t first_index,
                                 std::string& error) {
  if (entry.size() > 1 && entry[0] == '#') {
    int32_t number = 0;
    auto [end, ec] =
        std::from_chars(entry.data() + 1, entry.data() + entry.size(), number);
    int32_t position = number - first_index;
    if (ec == std::errc() && end == entry.data() + entry.size() && position >= 0 &&
        position < static_cast<int32_t>(texts.size()))
      return position;
    error = "no entry " + std::string(entry) + " among " + std::to_string(texts.size());
    return std::nullopt;
  }
  for (size_t i = 0; i < texts.size(); ++i)
    if (EqualsIgnoringCase(texts[i], entry)) return static_cast<int32_t>(i);
  error = "no entry \"" + std::string(entry) + "\"";
  return std::nullopt;
}

std::shared_ptr<SimControlCore> MakeControl(World* world, std::weak_ptr<SimForm> form,
                                            std::string_view type_name,
                                            std::string name) {
  auto make = [&]<typename T>() -> std::shared_ptr<SimControlCore> {
    return std::make_shared<T>(world, std::move(form), std::move(name));
  };
  if (type_name == ui::TextBox::kTypeName) return make.operator()<SimTextBox>();
  if (type_name == ui::Label::kTypeName) return make.operator()<SimLabel>();
  if (type_name == ui::Frame::kTypeName) return make.operator()<SimFrame>();
  if (type_name == ui::CommandButton::kTypeName)
    return make.operator()<SimCommandButton>();
  if (type_name == ui::CheckBox::kTypeName) return make.operator()<SimCheckBox>();
  if (type_name == ui::ComboBox::kTypeName) return make.operator()<SimComboBox>();
  if (type_name == ui::ListBox::kTypeName) return make.operator()<SimListBox>();
  if (type_name == ui::TabStrip::kTypeName) return make.operator()<SimTabStrip>();
  if (type_name == ui::PictureBox::kTypeName) return make.operator()<SimPictureBox>();
  if (type_name == ui::Image::kTypeName) return make.operator()<SimImage>();
  if (type_name == ui::Calendar::kTypeName) return make.operator()<SimCalendar>();
  if (type_name == ui::Timer::kTypeName) return make.operator()<SimTimer>();
  if (type_name == ui::Menu::kTypeName) return make.operator()<SimMenu>();
  return nullptr;
}

}  // namespace pinlet::sim
