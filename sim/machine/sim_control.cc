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

int32_t& SimControlCore::EdgeOf(int which) {
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

void SimControlCore::FocusNow() {
  SimForm* f = form();
  if (!Usable() || !f->visible()) throw InvalidArgumentError("Control.SetFocus");
  f->Focus(this);
}

}  // namespace pinlet::sim
