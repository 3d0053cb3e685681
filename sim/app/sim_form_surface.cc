// The simulated machine's forms as the commands reach them: SimUi finds and
// acts on them, and the add-in linked in is looked into for a note window's
// own state.
#include "sim/app/driver.h"
#include "sim/app/form_surface.h"
#include "sim/app/resolve.h"
#include "assembly/published_state.h"
#include "platform/display_text.h"
#include "sim/machine/sim_form.h"

namespace pinlet::app {
namespace {

class SimFormSurface : public FormSurface {
 public:
  explicit SimFormSurface(Driver& driver) : driver_(driver) {}

  std::optional<FormRef> Find(std::string_view name) override {
    sim::SimForm* form = driver_.world().ui.FindForm(name);
    if (!form) return std::nullopt;
    return FormRef{form->handle(), form->design_name(), form->caption(), form->visible()};
  }

  int Perform(const FormRef& ref, const sim::FormAction& action,
              std::string& error) override {
    sim::SimForm* form = FormOf(ref, error);
    if (!form) return kBadCommand;
    std::string why;
    bool refused = false;
    if (driver_.world().ui.Perform(*form, action, why, &refused)) return kDone;
    error = "cannot " + action.ToString() + ": " + why;
    return refused ? kRefused : kBadCommand;
  }

  // The simulated forms are windows of the same window manager, which
  // deactivated them already.
  void HostWindowActivated(WindowHandle) override {}

  std::vector<DesktopWindow> Desktop() override {
    sim::World& world = driver_.world();
    std::vector<DesktopWindow> desktop;
    for (WindowHandle handle : world.windows.z_order()) {
      const sim::SimWindowManager::Window* w = world.windows.Find(handle);
      DesktopWindow shown{handle, w->title, "", w->visible, w->top_most,
                          world.windows.active() == handle, w->rect};
      for (const auto& form : world.ui.forms())
        if (form->handle() == handle) shown.design_name = form->design_name();
      desktop.push_back(std::move(shown));
    }
    return desktop;
  }

  int Describe(const FormRef& ref, std::string& text) override {
    sim::SimForm* form = FormOf(ref, text);
    if (!form) return kBadCommand;
    text = driver_.world().ui.Describe(*form);
    return kDone;
  }

  int DescribeNote(const FormRef& ref, std::string& text) override {
    sim::SimForm* form = FormOf(ref, text);
    if (!form) return kBadCommand;
    sim::World& world = driver_.world();
    sim::FaultInjector::Pause pause(world.faults);
    const sim::SimWindowManager::Window* w = world.windows.Find(form->handle());
    NoteWindowPlace place;
    place.handle = form->handle();
    place.visible = form->visible();
    place.active = world.windows.active() == form->handle();
    place.top_most = w && w->top_most;
    place.shown = [form](std::string_view name) {
      const sim::SimControlCore* control = form->Find(name);
      return control && control->Shown();
    };
    place.usable = [form](std::string_view name) {
      const sim::SimControlCore* control = form->Find(name);
      return control && control->Usable();
    };
    text = assembly::DescribeNoteWindowOf(driver_.addin().get(), *form, place);
    return kDone;
  }

  std::string NoteKind(const FormRef& ref) override {
    auto facts = NoteWindowAt(ref);
    return facts ? facts->kind : "";
  }

  bool NoteInEditState(const FormRef& ref) override {
    auto facts = NoteWindowAt(ref);
    return facts && facts->editing;
  }

  std::string NoteKey(const FormRef& ref) override {
    auto facts = NoteWindowAt(ref);
    return facts ? facts->key : "";
  }

  std::string NoteEntryId(const FormRef& ref) override {
    auto facts = NoteWindowAt(ref);
    auto node = facts && facts->note ? sim::NodeOf(facts->note) : nullptr;
    return node ? node->entry_id : "";
  }

 private:
  // The form `ref` found, if it is still loaded.
  sim::SimForm* FormOf(const FormRef& ref, std::string& error) {
    sim::SimForm* form = driver_.world().ui.FindForm(HandleText(ref.handle));
    if (!form) error = "the form " + ref.design_name + " is no longer loaded";
    return form;
  }

  // What the linked-in add-in publishes of its note window over the form
  // `ref` found; nullopt when the form is gone or is no note window of its.
  std::optional<assembly::NoteWindowFacts> NoteWindowAt(const FormRef& ref) {
    std::string error;
    sim::SimForm* form = FormOf(ref, error);
    std::shared_ptr<Connect> addin = driver_.addin();
    if (!form || !addin) return std::nullopt;
    return assembly::NoteWindowFactsOf(*addin, form->handle());
  }

  Driver& driver_;
};

}  // namespace

std::unique_ptr<FormSurface> MakeSimFormSurface(Driver& driver) {
  return std::make_unique<SimFormSurface>(driver);
}

}  // namespace pinlet::app
