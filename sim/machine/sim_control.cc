// What every simulated control shares: its state, the members of
// ui::Control, and the checks each member makes first.
#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"

namespace pinlet::sim {

SimControlCore::SimControlCore(World* world, std::weak_ptr<SimForm> form,
                               std::string name, std::string_view type_name,
                               ui::ControlTraits traits)
    : name(std::move(name)),
      type_name(type_name),
      traits(traits),
      world_(world),
      form_(std::move(form)) {}

bool SimControlCore::Shown() const {
  for (const SimControlCore* c = this; c; c = c->container)
    if (c->traits.visible && !c->visible) return false;
  return true;
}

bool SimControlCore::Usable() const {
  for (const SimControlCore* c = this; c; c = c->container)
    if (!c->enabled) return false;
  return Shown();
}

SimForm* SimControlCore::form() const {
  auto form = form_.lock();
  return form && form->loaded() ? form.get() : nullptr;
}

bool SimControlCore::SetByUser(std::string_view, std::string& error) {
  error = name + " (" + type_name + ") takes no value";
  return false;
}

bool SimControlCore::ChooseByUser(std::string_view, std::string& error) {
  error = name + " (" + type_name + ") has no entries";
  return false;
}

void SimControlCore::Enter(std::string_view member) {
  world_->faults.Check(member);
  if (!form())
    throw HostError(errors::kObjectUnloaded, "Object was unloaded", std::string(member));
}

void SimControlCore::Require(bool has, std::string_view member) {
  if (!has) throw NotSupportedError(std::string(member));
}

std::string SimControlCore::EntryName(std::string_view event_name) const {
  SimForm* f = form();
  return (f ? f->design_name() : std::string("?")) + "." + name + "_" +
         std::string(event_name);
}

int32_t& SimControlCore::Edge(int which) {
  switch (which) {
    case ui::geometry::kLeft:
      return rect.left;
    case ui::geometry::kTop:
      return rect.top;
    case ui::geometry::kWidth:
      return rect.width;
    default:
      return rect.height;
  }
}

int32_t SimControlCore::GetGeometry(std::string_view member, int which) {
  Enter(member);
  Require(traits.geometry, member);
  return Edge(which);
}

void SimControlCore::SetGeometry(std::string_view member, int which, int32_t value) {
  Enter(member);
  Require(traits.geometry, member);
  bool size = which == ui::geometry::kWidth || which == ui::geometry::kHeight;
  if (size && value < 0) throw InvalidPropertyValueError(std::string(member));
  Edge(which) = value;
}

void SimControlCore::MoveTo(int32_t left, int32_t top, int32_t width, int32_t height) {
  Enter("Control.Move");
  Require(traits.geometry, "Control.Move");
  if (width < 0 || height < 0) throw InvalidPropertyValueError("Control.Move");
  rect = {left, top, width, height};
}

bool SimControlCore::GetVisible() {
  Enter("Control.Visible");
  Require(traits.visible, "Control.Visible");
  return visible;
}

void SimControlCore::SetVisibleMember(bool on) {
  Enter("Control.Visible");
  Require(traits.visible, "Control.Visible");
  visible = on;
}

bool SimControlCore::GetEnabled() {
  Enter("Control.Enabled");
  return enabled;
}

void SimControlCore::SetEnabledMember(bool on) {
  Enter("Control.Enabled");
  enabled = on;
  EnabledChanged();
}

uint32_t SimControlCore::GetBackColor() {
  Enter("Control.BackColor");
  Require(traits.back_colour, "Control.BackColor");
  return back_colour;
}

void SimControlCore::SetBackColorMember(uint32_t colour) {
  Enter("Control.BackColor");
  Require(traits.back_colour, "Control.BackColor");
  back_colour = colour;
}

std::string SimControlCore::GetToolTip() {
  Enter("Control.ToolTipText");
  Require(traits.tool_tip, "Control.ToolTipText");
  return tool_tip;
}

void SimControlCore::SetToolTipMember(std::string_view text) {
  Enter("Control.ToolTipText");
  Require(traits.tool_tip, "Control.ToolTipText");
  tool_tip = std::string(text);
}

void SimControlCore::SetFocusMember() {
  Enter("Control.SetFocus");
  Require(traits.focusable, "Control.SetFocus");
  SimForm* f = form();
  if (!Usable() || !f->visible()) throw InvalidArgumentError("Control.SetFocus");
  f->Focus(this);
}

}  // namespace pinlet::sim
