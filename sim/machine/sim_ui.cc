#include "sim/machine/sim_ui.h"

#include <algorithm>
#include <charconv>

#include "platform/form_text.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

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

std::optional<std::string> SimUi::TakeMenuAnswer() {
  return menu_answers_.Take("", [](const std::string&) { return true; });
}

bool AnswerNamesEntry(std::string_view answer, std::string_view name,
                      std::string_view caption) {
  return EqualsIgnoringCase(name, answer) ||
         EqualsIgnoringCase(WithoutAmpersands(caption), WithoutAmpersands(answer));
}

void SimUi::Forget(const SimForm* form) {
  auto it = std::find_if(forms_.begin(), forms_.end(),
                         [form](const auto& f) { return f.get() == form; });
  if (it != forms_.end()) forms_.erase(it);
}

namespace {

// A modal form of this machine's own, answered by SimUi::AnswerModal.
class SimModalSubject : public ModalSubject {
 public:
  SimModalSubject(SimUi& ui, SimForm& form) : ui_(ui), form_(form) {}
  std::string design_name() override { return form_.design_name(); }
  std::string caption() override { return form_.caption(); }
  bool IsOpen() override { return pinlet::sim::IsOpen(form_); }
  bool Perform(const FormAction& action, std::string& error) override {
    return ui_.Perform(form_, action, error);
  }
  std::string Describe() override { return ui_.Describe(form_); }
  std::optional<FormLook> Look() override { return form_.Look(); }
  std::string CloseLeftOpen() override {
    if (form_.Close(ui::unload_mode::kFormControlMenu)) return "closed by the host";
    if (IsOpen()) {
      form_.HideWindow();
      return "hidden by the host (the form refused to close)";
    }
    return Unloaded() ? "unloaded" : "hidden";
  }
  bool Unloaded() override { return !form_.loaded(); }

 private:
  SimUi& ui_;
  SimForm& form_;
};

}  // namespace

void SimUi::RunModal(SimForm& form) {
  auto self = form.shared_from_this();
  WindowHandle owner = world_->windows.active();
  form.ShowWindow(true);
  SimModalSubject subject(*this, form);
  AnswerModal(subject);
  // The window the modal form was shown over gets the activation back.
  if (!IsOpen(form) && owner && owner != form.handle()) world_->windows.Activate(owner);
}

void SimUi::AnswerModal(ModalSubject& form) {
  size_t index = modal_records_.size();
  const std::string caption = form.caption();
  modal_records_.push_back({form.design_name(), caption, {}, "", {}, {}});
  auto look = [&] {
    if (!form.IsOpen()) return;
    if (std::optional<FormLook> seen = form.Look())
      modal_records_[index].looks.push_back(std::move(*seen));
  };
  look();
  const std::string label = "modal form " + form.design_name() + " (\"" + caption + "\")";
  auto answer = form_answers_.Take("", [&](const QueuedAnswer& a) {
    return EqualsIgnoringCase(a.match, form.design_name()) ||
           EqualsIgnoringCase(a.match, caption);
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
    outcome = form.CloseLeftOpen();
  } else {
    std::vector<FormAction> actions = std::move(answer->actions);
    size_t done = 0;
    for (; done < actions.size() && form.IsOpen(); ++done) {
      std::string error;
      modal_records_[index].actions.push_back(actions[done].ToString());
      if (actions[done].kind == FormAction::Kind::kShow) {
        modal_records_[index].snapshots.push_back(form.Describe());
      } else if (!form.Perform(actions[done], error)) {
        modal_records_[index].actions.back() += " (failed: " + error + ")";
        mismatch(label + ": cannot " + actions[done].ToString() + ": " + error);
      }
      look();
    }
    if (done < actions.size()) {
      std::string left;
      for (size_t i = done; i < actions.size(); ++i)
        left += (i > done ? "; " : "") + actions[i].ToString();
      mismatch(label + " closed before its answer's last " +
               std::to_string(actions.size() - done) + " action(s): " + left);
    }
    if (form.IsOpen()) {
      mismatch(label + " was still open when its answer ran out; the host closed it");
      outcome = form.CloseLeftOpen();
    }
  }
  if (outcome.empty()) outcome = form.Unloaded() ? "unloaded" : "hidden";
  modal_records_[index].outcome = outcome;
}

void SimUi::RunPopup(SimForm& form, SimControlCore& menu) {
  auto self = form.shared_from_this();
  MenuRecord record{form.design_name(), menu.name, {}, "", form.mouse_x, form.mouse_y, ""};
  std::vector<SimMenu*> entries;
  for (const auto& control : form.controls()) {
    auto* entry = dynamic_cast<SimMenu*>(control.get());
    if (!entry || entry->container != &menu || !entry->visible) continue;
    entries.push_back(entry);
    record.entries.push_back(entry->caption + (entry->enabled ? "" : " (disabled)"));
  }
  const std::string label = "popup menu " + menu.name + " of " + form.design_name();
  auto taken = TakeMenuAnswer();
  if (!taken) {
    world_->RecordDefect(label + " was shown with no answer queued; nothing was chosen");
    return menu_records_.push_back(record);
  }
  const std::string& answer = *taken;
  if (answer.empty()) return menu_records_.push_back(record);
  SimMenu* chosen = nullptr;
  for (SimMenu* entry : entries) {
    if (AnswerNamesEntry(answer, entry->name, entry->caption)) chosen = entry;
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

SimUi::NextTimer SimUi::FindNextTimer(int64_t limit) const {
  NextTimer next;
  auto earlier = [&](int64_t due) {
    return due >= 0 && due <= limit && (next.due < 0 || due < next.due);
  };
  for (const auto& form : forms_) {
    for (const auto& control : form->controls()) {
      auto* timer = dynamic_cast<SimTimer*>(control.get());
      if (timer && earlier(timer->due)) next = {control, std::nullopt, timer->due};
    }
  }
  for (const auto& [key, timer] : lent_timers_)
    if (earlier(timer.due)) next = {nullptr, key, timer.due};
  return next;
}

std::optional<int64_t> SimUi::NextTick() const {
  NextTimer next = FindNextTimer(INT64_MAX);
  if (next.due < 0) return std::nullopt;
  return next.due - now_ms_;
}

int SimUi::AdvanceTime(int64_t ms) {
  const int64_t target = now_ms_ + std::max<int64_t>(ms, 0);
  int ticks = 0;
  for (NextTimer next; (next = FindNextTimer(target)).due >= 0; ++ticks) {
    world_->clock.AdvanceSeconds(static_cast<double>(next.due - now_ms_) / 1000.0);
    now_ms_ = next.due;
    if (next.control) {
      auto* timer = static_cast<SimTimer*>(next.control.get());
      timer->due = -2;  // ticking; a handler that rearms the timer replaces it
      timer->timer.Fire();
      if (timer->due == -2) timer->Rearm();
      continue;
    }
    // The tick may set, kill or replace any lent timer, this one too.
    LentTimer& timer = lent_timers_[*next.lent];
    timer.due = -2;
    std::function<void()> tick = timer.tick;
    tick();
    auto after = lent_timers_.find(*next.lent);
    if (after != lent_timers_.end() && after->second.due == -2)
      after->second.due = now_ms_ + after->second.interval;
  }
  world_->clock.AdvanceSeconds(static_cast<double>(target - now_ms_) / 1000.0);
  now_ms_ = target;
  return ticks;
}

void SimUi::SetLentTimer(const std::pair<uintptr_t, uintptr_t>& key, int64_t interval_ms,
                         std::function<void()> tick) {
  int64_t interval = std::max<int64_t>(interval_ms, 1);
  lent_timers_[key] = {interval, now_ms_ + interval, std::move(tick)};
}

bool SimUi::KillLentTimer(const std::pair<uintptr_t, uintptr_t>& key) {
  return lent_timers_.erase(key) > 0;
}

std::string SimUi::Describe(const SimForm& form) const {
  const SimWindowManager& windows = world_->windows;
  const SimWindowManager::Window* window = windows.Find(form.handle());
  FormText text;
  text.design_name = form.design_name();
  text.caption = form.caption();
  text.handle = form.handle();
  text.visible = form.visible();
  text.active = windows.active() == form.handle();
  text.top_most = window && window->top_most;
  text.rect = form.rect();
  text.back_colour = form.back_colour;
  for (const auto& control : form.controls()) {
    if (!control->Shown()) {
      ++text.hidden;
      continue;
    }
    FormText::Control shown;
    for (const SimControlCore* c = control->container; c; c = c->container) ++shown.depth;
    shown.name = control->name;
    shown.type_name = control->type_name;
    if (control->traits.geometry) shown.rect = control->rect;
    if (control->traits.back_colour) shown.back_colour = control->back_colour;
    shown.tool_tip = control->tool_tip;
    shown.enabled = control->enabled;
    shown.focus = form.focus() == control.get();
    shown.state = control->DescribeState();
    text.shown.push_back(std::move(shown));
  }
  return DescribeForm(text);
}

}  // namespace pinlet::sim
