#include "explorer/bas_explorers.h"

#include "addin/error_report.h"
#include "addin/pictures.h"
#include "explorer/bas_icons.h"
#include "explorer/cls_explorers.h"

namespace pinlet {

void Create_Explorers(AddinContext& ctx) {
  RunGuardedSub(ctx, "basExplorers(Sub Create_Explorers)", [&](Proc& proc) {
    proc.line = 10;
    ctx.explorer_tracker = std::make_shared<clsExplorers>(ctx);
    std::shared_ptr<clsExplorers> tracker = ctx.explorer_tracker;
    tracker->Class_Initialize();
    ol::Application& application = Must(ctx.application);
    proc.line = 20;
    // Outlook started for an item window alone has no main window to wrap;
    // the first one opened later is wrapped when it opens.
    ol::ExplorerPtr active = application.ActiveExplorer();
    if (!active) return;
    auto wrapper = std::make_shared<clsExplorer>(ctx);
    wrapper->SetExplorer(active);
    wrapper->SetID(1);
    tracker->wrappers().push_back(wrapper);
    tracker->active_explorer_id = 1;
    proc.line = 30;
    wrapper->FolderChanged();
  });
}

void Close_CExplorer(AddinContext& ctx, int id) {
  RunGuardedSub(ctx, "basExplorers(Sub Close_CExplorer)", [&](Proc&) {
    std::shared_ptr<clsExplorers> tracker = ctx.explorer_tracker;
    if (!tracker) return;
    tracker->Remove(id);
    if (tracker->wrappers().empty()) Shut_Down(ctx);
  });
}

void ClearExplorerEntryID(AddinContext& ctx, const std::string& entry_id) {
  if (!ctx.explorer_tracker) return;
  // One U+0000: equal to no EntryID.
  for (const auto& wrapper : ctx.explorer_tracker->wrappers())
    if (wrapper->GetSelectedItemEntryID() == entry_id)
      wrapper->SetSelectedItemEntryID(std::string(1, '\0'));
}

void Shut_Down(AddinContext& ctx) {
  RunGuardedSub(ctx, "basExplorers(Sub Shut_Down)", [&](Proc&) {
    // Kept until the wrappers are gone: their Class_Terminate still runs.
    std::shared_ptr<clsExplorers> tracker = std::move(ctx.explorer_tracker);
    if (tracker) tracker->Close_fExps();
    tracker.reset();
    ctx.inspector_tracker.reset();
  });
}

void RefreshExplorers(AddinContext& ctx) {
  std::shared_ptr<clsExplorers> tracker = ctx.explorer_tracker;
  if (!tracker) return;
  std::shared_ptr<clsExplorer> active = tracker->get_ActiveExplorer();
  if (active) {
    FlagScope refreshing(ctx.note_refresh);
    active->m_objExplorer_SelectionChange();
  }
  // A copy: the wrappers stay alive while their buttons change.
  std::vector<std::shared_ptr<clsExplorer>> wrappers = tracker->wrappers();
  for (const auto& wrapper : wrappers)
    if (wrapper != active) wrapper->RefreshMainButton();
}

office::CommandBarControlPtr AddCustomButton(AddinContext& ctx,
                                             const office::CommandBarPtr& bar,
                                             const std::string& tag,
                                             const std::string& tooltip, bool begin_group,
                                             int style, const Picture& picture,
                                             const std::string& caption) {
  ReportedSteps step(ctx, "basExplorers(Function AddCustomButton)");
  office::CommandBarControlPtr button;
  step([&] {
    button = Must(bar).Controls()->Add(office::kControlButton, office::kCustomControlId,
                                       std::nullopt, true);
  });
  // Without a button every further step fails the same way: one report is enough.
  if (!button) return nullptr;
  step([&] { button->SetTag(tag); });
  step([&] { button->SetStyle(style); });
  if (style == office::kButtonCaption || style == office::kButtonIconAndCaption)
    step([&] { button->SetCaption(caption); });
  if (style == office::kButtonIcon || style == office::kButtonIconAndCaption)
    step([&] { PasteButtonFace(ctx, button, picture, kWhite); });
  step([&] { button->SetBeginGroup(begin_group); });
  step([&] { button->SetTooltipText(tooltip); });
  step([&] { button->SetVisible(true); });
  return button;
}

std::string ControlTag(AddinContext& ctx, std::string_view base) {
  return std::string(base) + "#" + std::to_string(++ctx.control_tags);
}

void GiveOwnTag(AddinContext& ctx, const office::CommandBarControlPtr& button,
                std::string_view base) {
  if (!button) return;
  std::string tag = ControlTag(ctx, base);
  IgnoreError([&] { button->SetTag(tag); });
}

office::CommandBarControlPtr ReuseOrAddButton(AddinContext& ctx,
                                              const office::CommandBarPtr& bar,
                                              const office::CommandBarControlPtr& found,
                                              std::string_view base,
                                              const std::string& tooltip, const char* face,
                                              const std::string& caption) {
  if (found) {
    GiveOwnTag(ctx, found, base);
    return found;
  }
  return AddCustomButton(ctx, bar, ControlTag(ctx, base), tooltip, true,
                         office::kButtonIconAndCaption, LoadResPicture(face), caption);
}

namespace {

class ExplorerSubsystem : public Subsystems::Explorers {
 public:
  void Create(AddinContext& ctx) override { Create_Explorers(ctx); }
  void RefreshActive(AddinContext& ctx) override { RefreshExplorers(ctx); }
  void ForgetEntryId(AddinContext& ctx, const std::string& entry_id) override {
    ClearExplorerEntryID(ctx, entry_id);
  }
};

}  // namespace

void InstallExplorer(Subsystems& s) { s.explorers = std::make_shared<ExplorerSubsystem>(); }

}  // namespace pinlet
