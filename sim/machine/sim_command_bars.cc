// The command bars of one simulated window: the CommandBars collection, the
// structure of bars and controls, and what the user does with them.
#include "sim/machine/sim_command_bars.h"

#include <algorithm>
#include <cassert>

#include "sim/machine/boundary.h"
#include "sim/machine/mail_store.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

void MarkDeleted(ControlNode& control) {
  control.deleted = true;
  if (!control.popup_bar) return;
  control.popup_bar->deleted = true;
  for (auto& item : control.popup_bar->controls) MarkDeleted(*item);
}

void RemoveTemporaryFrom(BarNode& bar) {
  auto& controls = bar.controls;
  for (auto& control : controls) {
    if (control->temporary)
      MarkDeleted(*control);
    else if (control->popup_bar)
      RemoveTemporaryFrom(*control->popup_bar);
  }
  controls.erase(std::remove_if(controls.begin(), controls.end(),
                                [](const auto& c) { return c->deleted; }),
                 controls.end());
}

bool Matches(const ControlNode& control, std::optional<int> type, std::optional<int> id,
             const std::optional<std::string>& tag, bool visible_only) {
  return (!type || control.type == *type) && (!id || control.id == *id) &&
         (!tag || control.tag == *tag) && (!visible_only || control.visible);
}

}  // namespace

HostError ItemNotFoundError(const std::string& source) {
  return HostError(errors::kCommandBarItemNotFound, "Invalid procedure call or argument",
                   source);
}

HostError InvalidArgumentError(const std::string& source) {
  return HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                   source);
}

HostError MethodFailedError(std::string_view member, std::string_view object) {
  return HostError(errors::kOperationFailed,
                   "Method '" + std::string(member) + "' of object '" +
                       std::string(object) + "' failed",
                   std::string(object) + "." + std::string(member));
}

int MajorVersion(std::string_view version) {
  int major = 0;
  for (char c : version) {
    if (c < '0' || c > '9' || major > 1000) break;
    major = major * 10 + (c - '0');
  }
  return major;
}

std::string WithoutAccessKeys(std::string_view caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') plain += caption[++i];
      continue;
    }
    plain += caption[i];
  }
  return plain;
}

std::string CaptionKey(std::string_view caption) {
  return FoldCase(WithoutAccessKeys(caption));
}

std::shared_ptr<ControlNode> FindControlIn(const BarNode& bar, std::optional<int> type,
                                           std::optional<int> id,
                                           const std::optional<std::string>& tag,
                                           bool visible_only, bool recursive) {
  for (const auto& control : bar.controls) {
    if (Matches(*control, type, id, tag, visible_only)) return control;
    if (recursive && control->popup_bar && (!visible_only || control->visible))
      if (auto found =
              FindControlIn(*control->popup_bar, type, id, tag, visible_only, true))
        return found;
  }
  return nullptr;
}

std::shared_ptr<SimCommandBars> SimCommandBars::Create(
    World* world, const std::vector<BarDef>& bars, std::function<int()> office_version) {
  auto set = std::make_shared<SimCommandBars>(world, std::move(office_version));
  for (const BarDef& def : bars) {
    auto bar = std::make_shared<BarNode>();
    bar->name = def.name;
    bar->type = def.type;
    bar->built_in = true;
    bar->visible = def.visible;
    bar->position = def.position;
    bar->row_index = def.row_index;
    bar->defaults = def.controls;
    for (const ControlDef& control : def.controls)
      bar->controls.push_back(set->Instantiate(control, bar));
    set->bars_.push_back(std::move(bar));
  }
  return set;
}

SimCommandBars::SimCommandBars(World* world, std::function<int()> office_version)
    : world_(world), office_version_(std::move(office_version)) {}

std::shared_ptr<ControlNode> SimCommandBars::Instantiate(
    const ControlDef& def, const std::shared_ptr<BarNode>& bar) {
  catalogue_.emplace(def.id, def);
  auto control = std::make_shared<ControlNode>();
  control->type = def.type;
  control->id = def.id;
  control->built_in = def.id != office::kCustomControlId;
  control->caption = def.caption;
  control->style = def.style;
  control->begin_group = def.begin_group;
  control->bar = bar;
  if (def.type == office::kControlPopup) {
    auto menu = std::make_shared<BarNode>();
    menu->name = def.caption;
    menu->type = office::kBarTypePopup;
    menu->built_in = true;
    menu->visible = false;
    menu->position = office::kBarPopup;
    menu->defaults = def.items;
    menu->popup = control;
    for (const ControlDef& item : def.items)
      menu->controls.push_back(Instantiate(item, menu));
    control->popup_bar = std::move(menu);
  } else {
    control->face_id = def.id;
  }
  return control;
}

void SimCommandBars::Enter(const char* member) {
  world_->faults.Check(std::string("CommandBars.") + member);
  if (closed_) throw MethodFailedError(member, "CommandBars");
}

int SimCommandBars::Count() {
  Enter("Count");
  return static_cast<int>(bars_.size());
}

office::CommandBarPtr SimCommandBars::Item(int index) {
  Enter("Item");
  if (index < 1 || index > static_cast<int>(bars_.size()))
    throw ItemNotFoundError("CommandBars.Item");
  return WrapBar(bars_[index - 1]);
}

office::CommandBarPtr SimCommandBars::Item(std::string_view name) {
  Enter("Item");
  if (auto bar = FindBar(name)) return WrapBar(bar);
  throw ItemNotFoundError("CommandBars.Item");
}

office::CommandBarPtr SimCommandBars::Add(std::string_view name, int position,
                                          bool menu_bar, bool temporary) {
  Enter("Add");
  if (position < office::kBarLeft || position > office::kBarMenuBar)
    throw InvalidArgumentError("CommandBars.Add");
  std::string bar_name(name);
  for (int n = 1; bar_name.empty(); ++n)
    if (!FindBar("Custom " + std::to_string(n))) bar_name = "Custom " + std::to_string(n);
  if (FindBar(bar_name)) throw InvalidArgumentError("CommandBars.Add");
  auto bar = std::make_shared<BarNode>();
  bar->name = bar_name;
  bar->type = menu_bar                        ? office::kBarTypeMenuBar
              : position == office::kBarPopup ? office::kBarTypePopup
                                              : office::kBarTypeNormal;
  bar->temporary = temporary;
  bar->visible = false;  // a new bar shows once made visible
  bar->position = position;
  bars_.push_back(bar);
  NoteChange("bar " + bar_name + " added", !temporary);
  return WrapBar(std::move(bar));
}

office::CommandBarControlPtr SimCommandBars::FindControl(std::optional<int> type,
                                                         std::optional<int> id,
                                                         std::optional<std::string> tag,
                                                         bool visible_only) {
  Enter("FindControl");
  for (const auto& bar : bars_)
    if (auto found = FindControlIn(*bar, type, id, tag, visible_only, true))
      return WrapControl(found);
  return nullptr;
}

Subscription SimCommandBars::OnUpdate(std::function<void()> handler) {
  Enter("Advise");
  return update_.Subscribe(
      AtBoundary(*world_, "CommandBars.OnUpdate", std::move(handler)));
}

void SimCommandBars::SetAction(int id, std::function<void()> action) {
  actions_[id] = std::move(action);
}

std::shared_ptr<BarNode> SimCommandBars::FindBar(std::string_view name) const {
  std::string folded = FoldCase(name);
  for (const auto& bar : bars_)
    if (FoldCase(bar->name) == folded) return bar;
  return nullptr;
}

void SimCommandBars::ForEachControl(
    std::string_view bar_name,
    const std::function<bool(const std::shared_ptr<ControlNode>&)>& visit) const {
  std::function<bool(const BarNode&)> walk = [&](const BarNode& bar) {
    for (const auto& control : bar.controls) {
      if (visit(control)) return true;
      if (control->popup_bar && walk(*control->popup_bar)) return true;
    }
    return false;
  };
  std::string folded = FoldCase(bar_name);
  for (const auto& bar : bars_)
    if ((bar_name.empty() || FoldCase(bar->name) == folded) && walk(*bar)) return;
}

std::shared_ptr<ControlNode> SimCommandBars::FindByCaption(std::string_view caption,
                                                           std::string_view bar) const {
  std::string key = CaptionKey(caption);
  std::shared_ptr<ControlNode> found;
  ForEachControl(bar, [&](const auto& control) {
    if (CaptionKey(control->caption) == key) found = control;
    return found != nullptr;
  });
  return found;
}

std::shared_ptr<ControlNode> SimCommandBars::FindById(int id,
                                                      std::string_view bar) const {
  std::shared_ptr<ControlNode> found;
  ForEachControl(bar, [&](const auto& control) {
    if (control->id == id) found = control;
    return found != nullptr;
  });
  return found;
}

std::string SimCommandBars::WhyUnclickable(const ControlNode& control) const {
  if (control.deleted) return "has been deleted";
  if (control.type == office::kControlPopup) return "is a popup, which opens its menu";
  return WhyUnreachable(control);
}

std::string SimCommandBars::WhyUnreachable(const ControlNode& control) const {
  if (control.deleted) return "has been deleted";
  for (const ControlNode* c = &control;;) {
    bool self = c == &control;
    if (!c->visible) return self ? "is hidden" : "is in a hidden menu";
    if (!c->enabled) return self ? "is disabled" : "is in a disabled menu";
    auto bar = c->bar.lock();
    if (!bar || bar->deleted) return "has been deleted";
    if (auto popup = bar->popup.lock()) {
      c = popup.get();
      continue;
    }
    // A shortcut menu shows when it is opened; toolbars and menu bars must show.
    if (bar->type != office::kBarTypePopup) {
      if (!bar->visible) return "is on a hidden bar";
      if (!bar->enabled) return "is on a disabled bar";
    }
    return "";
  }
}

void SimCommandBars::JoinProcess(const std::shared_ptr<BarProcess>& process) {
  process_ = process;
  if (!process_) return;
  std::erase_if(process_->windows, [](const auto& w) { return w.expired(); });
  process_->windows.push_back(weak_from_this());
}

std::vector<std::shared_ptr<ControlNode>> SimCommandBars::Sinks(
    const std::shared_ptr<ControlNode>& control) const {
  std::vector<std::shared_ptr<ControlNode>> sinks{control};
  if (control->built_in) {
    ForEachControl("", [&](const auto& other) {
      if (other != control && other->built_in && other->id == control->id)
        sinks.push_back(other);
      return false;
    });
    return sinks;
  }
  // Office finds a caller's control's sinks by its Tag, in every window of
  // the process; an empty Tag is a Tag like any other.
  std::vector<std::shared_ptr<const SimCommandBars>> windows;
  if (process_) {
    for (const auto& weak : process_->windows)
      if (auto window = weak.lock()) windows.push_back(window);
  }
  if (windows.empty()) windows.push_back(shared_from_this());
  for (const auto& window : windows) {
    if (window->closed_) continue;
    window->ForEachControl("", [&](const auto& other) {
      if (other != control && !other->built_in &&
          other->type == office::kControlButton && other->tag == control->tag)
        sinks.push_back(other);
      return false;
    });
  }
  return sinks;
}

SimCommandBars::ClickResult SimCommandBars::Click(
    const std::shared_ptr<ControlNode>& control) {
  assert(control);
  ClickResult result;
  result.refused = WhyUnclickable(*control);
  if (!result.refused.empty()) return result;
  CloseMenus();
  auto self = shared_from_this();  // a handler may close the window
  std::string path = PathOf(*control);
  auto ctrl = WrapControl(control);
  bool cancel = false;
  for (const auto& sink : Sinks(control)) sink->click.Fire(ctrl, cancel);
  result.cancelled = cancel;
  if (!cancel && control->built_in) {
    auto action = actions_.find(control->id);
    if (action != actions_.end() && action->second) {
      auto run = action->second;  // the action may replace the actions
      run();
      result.action_ran = true;
    }
  }
  clicks_.push_back({path, control->id, result.cancelled, result.action_ran});
  return result;
}

void SimCommandBars::Update() {
  if (updating_) return;
  auto self = shared_from_this();
  updating_ = true;
  struct Delivered {
    bool& updating;
    ~Delivered() { updating = false; }
  } delivered{updating_};
  update_.Fire();
}

void SimCommandBars::RemoveTemporary() {
  for (auto& bar : bars_) {
    if (!bar->temporary) {
      RemoveTemporaryFrom(*bar);
      continue;
    }
    bar->deleted = true;
    for (auto& control : bar->controls) MarkDeleted(*control);
  }
  bars_.erase(std::remove_if(bars_.begin(), bars_.end(),
                             [](const auto& bar) { return bar->deleted; }),
              bars_.end());
}

void SimCommandBars::WindowClosed() {
  closed_ = true;
  for (auto& bar : bars_) {
    bar->deleted = true;
    for (auto& control : bar->controls) MarkDeleted(*control);
  }
}

std::shared_ptr<ControlNode> SimCommandBars::AddControl(
    const std::shared_ptr<BarNode>& bar, int type, int id, std::optional<int> before,
    bool temporary) {
  if (type != office::kControlButton && type != office::kControlPopup)
    throw InvalidArgumentError("CommandBarControls.Add");
  if (bar->protection & office::kBarNoCustomize)
    throw MethodFailedError("Add", "CommandBarControls");
  auto& controls = bar->controls;
  int count = static_cast<int>(controls.size());
  int at = before.value_or(count + 1);
  if (at < 1 || at > count + 1) throw InvalidArgumentError("CommandBarControls.Add");
  std::shared_ptr<ControlNode> control;
  if (id != office::kCustomControlId) {
    auto def = catalogue_.find(id);
    if (def == catalogue_.end()) throw InvalidArgumentError("CommandBarControls.Add");
    control = Instantiate(ControlDef(def->second), bar);
  } else {
    control = std::make_shared<ControlNode>();
    control->type = type;
    control->bar = bar;
    if (type == office::kControlPopup) {
      control->popup_bar = std::make_shared<BarNode>();
      control->popup_bar->type = office::kBarTypePopup;
      control->popup_bar->visible = false;
      control->popup_bar->position = office::kBarPopup;
      control->popup_bar->popup = control;
    }
  }
  control->temporary = temporary;
  controls.insert(controls.begin() + (at - 1), control);
  changes_.push_back({ChangeRecord::kAdded, PathOf(*bar), at, control->type, control->id,
                      temporary, ""});
  NoteChange(PathOf(*bar) + ": control " + std::to_string(at) + " added", !temporary);
  return control;
}

void SimCommandBars::RemoveControl(const std::shared_ptr<ControlNode>& control) {
  auto bar = control->bar.lock();
  if (!bar) return;
  auto& controls = bar->controls;
  auto it = std::find(controls.begin(), controls.end(), control);
  if (it == controls.end()) return;
  changes_.push_back({ChangeRecord::kDeleted, PathOf(*bar),
                      static_cast<int>(it - controls.begin()) + 1, control->type,
                      control->id, control->temporary, control->caption});
  NoteChange(PathOf(*control) + " deleted", !control->temporary);
  controls.erase(it);
  MarkDeleted(*control);
}

void SimCommandBars::ResetBar(const std::shared_ptr<BarNode>& bar) {
  if (!bar->built_in) throw MethodFailedError("Reset", "CommandBar");
  for (auto& control : bar->controls) MarkDeleted(*control);
  bar->controls.clear();
  for (const ControlDef& def : bar->defaults)
    bar->controls.push_back(Instantiate(def, bar));
  changes_.push_back({ChangeRecord::kReset, PathOf(*bar), 0, 0, 0, false, ""});
  NoteChange(PathOf(*bar) + " reset", true);
}

void SimCommandBars::DeleteBar(const std::shared_ptr<BarNode>& bar) {
  if (bar->built_in || bar->popup.lock()) throw MethodFailedError("Delete", "CommandBar");
  NoteChange("bar " + bar->name + " deleted", !bar->temporary);
  bar->deleted = true;
  for (auto& control : bar->controls) MarkDeleted(*control);
  bars_.erase(std::remove(bars_.begin(), bars_.end(), bar), bars_.end());
}

int SimCommandBars::IndexOf(const BarNode& bar) const {
  for (size_t i = 0; i < bars_.size(); ++i)
    if (bars_[i].get() == &bar) return static_cast<int>(i) + 1;
  return 0;
}

std::string SimCommandBars::PathOf(const BarNode& bar) const {
  if (auto popup = bar.popup.lock()) return PathOf(*popup);
  return bar.name;
}

std::string SimCommandBars::PathOf(const ControlNode& control) const {
  auto bar = control.bar.lock();
  return (bar ? PathOf(*bar) + "/" : std::string()) + control.caption;
}

}  // namespace pinlet::sim
