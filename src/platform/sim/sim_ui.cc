#include "platform/sim/sim_ui.h"

#include <algorithm>
#include <charconv>

#include "platform/sim/sim_controls.h"
#include "platform/sim/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

std::string Label(const SimForm& form, const std::string& caption) {
  return "modal form " + form.design_name() + " (\"" + caption + "\")";
}

std::string WithoutAmpersands(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

bool IsOpen(const SimForm& form) { return form.loaded() && form.visible(); }

}  // namespace

SimUi::~SimUi() {
  // The world is going away: no form hears of another one's closing.
  std::vector<std::shared_ptr<SimForm>> forms = std::move(forms_);
  forms_.clear();
  for (const auto& form : forms) {
    if (SimWindowManager::Window* w = world_->windows.Find(form->handle())) {
      w->on_activation = nullptr;
      w->on_resize = nullptr;
    }
  }
  for (const auto& form : forms) form->UnloadWindow();
}

ui::FormPtr SimUi::CreateForm(std::string_view design_name) {
  world_->faults.Check("Forms.Add");
  if (design_name.empty()) throw InvalidArgumentError("Forms.Add");
  auto form = std::make_shared<SimForm>(world_, this, std::string(design_name));
  form->Open();
  forms_.push_back(form);
  return form;
}

SimForm* SimUi::FindForm(std::string_view name) const {
  WindowHandle handle = 0;
  if (name.starts_with("0x") || name.starts_with("0X")) {
    auto [end, ec] =
        std::from_chars(name.data() + 2, name.data() + name.size(), handle, 16);
    if (ec != std::errc() || end != name.data() + name.size()) handle = 0;
  }
  std::vector<SimForm*> matches;
  for (const auto& form : forms_) {
    if (handle ? form->handle() == handle
               : EqualsIgnoringCase(form->design_name(), name) ||
                     EqualsIgnoringCase(form->caption(), name))
      matches.push_back(form.get());
  }
  for (WindowHandle h : world_->windows.z_order())
    for (SimForm* form : matches)
      if (form->handle() == h) return form;
  return nullptr;
}

void SimUi::QueueFormAnswer(std::string match, std::vector<FormAction> actions) {
  form_answers_.Queue({std::move(match), std::move(actions)});
}

void SimUi::QueueMenuAnswer(std::string entry) { menu_answers_.Queue(std::move(entry)); }

void SimUi::Forget(const SimForm* form) {
  auto it = std::find_if(forms_.begin(), forms_.end(),
                         [form](const auto& f) { return f.get() == form; });
  if (it != forms_.end()) forms_.erase(it);
}

std::string SimUi::CloseLeftOpen(SimForm& form) {
  if (form.Close(ui::unload_mode::kFormControlMenu)) return "closed by the host";
  if (IsOpen(form)) {
    form.HideWindow();
    return "hidden by the host (the form refused to close)";
  }
  return form.loaded() ? "hidden" : "unloaded";
}

void SimUi::RunModal(SimForm& form) {
  auto self = form.shared_from_this();
  size_t index = modal_records_.size();
  modal_records_.push_back({form.design_name(), form.caption(), {}, "", {}});
  WindowHandle owner = world_->windows.active();
  form.ShowWindow(true);
  if (IsOpen(form)) modal_records_[index].looks.push_back(form.Look());
  const std::string label = Label(form, form.caption());
  auto answer = form_answers_.Take("", [&](const QueuedAnswer& a) {
    return EqualsIgnoringCase(a.match, form.design_name()) ||
           EqualsIgnoringCase(a.match, form.caption());
  });
  std::string outcome;
  // A mismatch between the answer and the form is a defect unless a host
  // call was made to fail in this run, which the answer could not foresee.
  auto mismatch = [&](std::string what) {
    if (world_->faults.failures_raised() == 0)
      return world_->RecordDefect(std::move(what));
    modal_records_[index].actions.push_back("(after a failed host call: " + what + ")");
  };
  if (!answer) {
    world_->RecordDefect(label + " was shown with no answer queued; the host closed it");
    outcome = CloseLeftOpen(form);
  } else {
    std::vector<FormAction> actions = std::move(answer->actions);
    size_t done = 0;
    for (; done < actions.size() && IsOpen(form); ++done) {
      std::string error;
      modal_records_[index].actions.push_back(actions[done].ToString());
      if (actions[done].kind == FormAction::Kind::kShow) {
        modal_records_[index].snapshots.push_back(Describe(form));
      } else if (!Perform(form, actions[done], error)) {
        modal_records_[index].actions.back() += " (failed: " + error + ")";
        mismatch(label + ": cannot " + actions[done].ToString() + ": " + error);
      }
      if (IsOpen(form)) modal_records_[index].looks.push_back(form.Look());
    }
    if (done < actions.size()) {
      std::string left;
      for (size_t i = done; i < actions.size(); ++i)
        left += (i > done ? "; " : "") + actions[i].ToString();
      mismatch(label + " closed before its answer's last " +
               std::to_string(actions.size() - done) + " action(s): " + left);
    }
    if (IsOpen(form)) {
      mismatch(label + " was still open when its answer ran out; the host closed it");
      outcome = CloseLeftOpen(form);
    }
  }
  if (outcome.empty()) outcome = form.loaded() ? "hidden" : "unloaded";
  modal_records_[index].outcome = outcome;
  // The window the modal form was shown over gets the activation back.
  if (!IsOpen(form) && owner && owner != form.handle()) world_->windows.Activate(owner);
}

void SimUi::RunPopup(SimForm& form, SimControlCore& menu) {
  auto self = form.shared_from_this();
  MenuRecord record{form.design_name(), menu.name, {}, "", form.mouse_x, form.mouse_y};
  std::vector<SimMenu*> entries;
  for (const auto& control : form.controls()) {
    auto* entry = dynamic_cast<SimMenu*>(control.get());
    if (!entry || entry->container != &menu || !entry->visible) continue;
    entries.push_back(entry);
    record.entries.push_back(entry->caption + (entry->enabled ? "" : " (disabled)"));
  }
  const std::string label = "popup menu " + menu.name + " of " + form.design_name();
  auto taken = menu_answers_.Take("", [](const std::string&) { return true; });
  if (!taken) {
    world_->RecordDefect(label + " was shown with no answer queued; nothing was chosen");
    return menu_records_.push_back(record);
  }
  const std::string& answer = *taken;
  if (answer.empty()) return menu_records_.push_back(record);
  SimMenu* chosen = nullptr;
  for (SimMenu* entry : entries) {
    if (EqualsIgnoringCase(entry->name, answer) ||
        EqualsIgnoringCase(WithoutAmpersands(entry->caption), WithoutAmpersands(answer)))
      chosen = entry;
  }
  if (!chosen || !chosen->enabled) {
    world_->RecordDefect(label + ": no enabled entry \"" + answer + "\" to choose");
    return menu_records_.push_back(record);
  }
  record.chosen = chosen->name;
  menu_records_.push_back(record);
  auto keep = form.Public(chosen);  // the handler may unload the form
  chosen->click.Fire();
}

std::optional<int64_t> SimUi::NextTick() const {
  std::optional<int64_t> next;
  for (const auto& form : forms_)
    for (const auto& control : form->controls())
      if (auto* timer = dynamic_cast<SimTimer*>(control.get()); timer && timer->due >= 0)
        if (!next || timer->due - now_ms_ < *next) next = timer->due - now_ms_;
  return next;
}

int SimUi::AdvanceTime(int64_t ms) {
  const int64_t target = now_ms_ + std::max<int64_t>(ms, 0);
  int ticks = 0;
  for (;;) {
    std::shared_ptr<SimControlCore> next;
    for (const auto& form : forms_) {
      for (const auto& control : form->controls()) {
        auto* timer = dynamic_cast<SimTimer*>(control.get());
        if (timer && timer->due >= 0 && timer->due <= target &&
            (!next || timer->due < static_cast<SimTimer*>(next.get())->due))
          next = control;
      }
    }
    if (!next) break;
    auto* timer = static_cast<SimTimer*>(next.get());
    world_->clock.AdvanceSeconds(static_cast<double>(timer->due - now_ms_) / 1000.0);
    now_ms_ = timer->due;
    timer->due = -2;  // ticking; a handler that rearms the timer replaces it
    timer->timer.Fire();
    ++ticks;
    if (timer->due == -2) timer->Rearm();
  }
  world_->clock.AdvanceSeconds(static_cast<double>(target - now_ms_) / 1000.0);
  now_ms_ = target;
  return ticks;
}

std::string SimUi::Describe(const SimForm& form) const {
  const SimWindowManager& windows = world_->windows;
  const SimWindowManager::Window* window = windows.Find(form.handle());
  std::string out = form.design_name() + " " + QuotedText(form.caption()) + " " +
                    HandleText(form.handle()) + ": " +
                    (form.visible() ? "visible" : "hidden");
  if (windows.active() == form.handle()) out += ", active";
  if (window && window->top_most) out += ", top-most";
  out += "\n  " + RectText(form.rect()) + ", back " + ColourText(form.back_colour) + "\n";
  int hidden = 0;
  for (const auto& control : form.controls()) {
    if (!control->Shown()) {
      ++hidden;
      continue;
    }
    int depth = 0;
    for (const SimControlCore* c = control->container; c; c = c->container) ++depth;
    out += std::string(2 + 2 * depth, ' ') + control->name + " " + control->type_name;
    const Rect& cr = control->rect;
    if (control->traits.geometry)
      out += " at " + std::to_string(cr.left) + "," + std::to_string(cr.top) + " " +
             std::to_string(cr.width) + "x" + std::to_string(cr.height);
    if (control->traits.back_colour) out += ", back " + ColourText(control->back_colour);
    if (!control->tool_tip.empty()) out += ", tip " + QuotedText(control->tool_tip);
    if (!control->enabled) out += ", disabled";
    if (form.focus() == control.get()) out += ", focus";
    std::string state = control->DescribeState();
    out += (state.empty() ? "" : ": " + state) + "\n";
  }
  if (hidden) out += "  (" + std::to_string(hidden) + " hidden controls)\n";
  return out;
}

}  // namespace pinlet::sim
