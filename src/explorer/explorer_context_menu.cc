// The "Pinlet" entry of the item context menu, rebuilt whenever Office
// redraws the bars, and the main button's caption and face, which follow
// whether the selected item has a note.
#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/string_table.h"
#include "explorer/bas_icons.h"
#include "explorer/cls_explorer.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"

namespace pinlet {
namespace {

constexpr const char* kContextTag = "NotesContextMenu";

// The bar named `name`, found as Office's own code finds it: by walking the
// bars and comparing names, then fetching it by its index; nullptr when none.
office::CommandBarPtr FindBarByName(const office::CommandBarsPtr& bars,
                                    const std::string& name) {
  office::CommandBars& all = Must(bars);
  int count = all.Count();
  for (int i = 1; i <= count; ++i) {
    office::CommandBarPtr bar = TryGet([&] { return all.Item(i); });
    if (bar && TryGet([&] { return bar->Name(); }) == name) return all.Item(i);
  }
  return nullptr;
}

}  // namespace

void clsExplorer::objCmdBars_OnUpdate() {
  ReportedSteps step(ctx_, "clsExplorer(Sub objCmdBars_OnUpdate)");
  // Nothing in an excluded folder, and nothing without a selection.
  bool excluded = true;
  step([&] { excluded = IsExcludedFolder(Must(m_objExplorer_).CurrentFolder()); });
  if (excluded) return;
  int selected = 0;
  if (!step([&] { selected = Must(m_objExplorer_).Selection()->Count(); }) ||
      selected == 0)
    return;
  const std::string bar_name = LoadResString(res::kContextMenu);
  office::CommandBarPtr bar;
  step([&] {
    if (FindBarByName(objCmdBars_, bar_name)) bar = objCmdBars_->Item(bar_name);
  });
  // The entry made before, when it is still there; its button is rebuilt
  // below whenever the add-in is not editing the bar itself.
  if (bar)
    step([&] {
      if (auto popup = bar->FindControl(std::nullopt, std::nullopt, kContextTag))
        context_popup_ = popup;
    });
  if (changing_bar_ || !bar) return;
  step([&] { bar->Reset(); });
  context_popup_.reset();
  cmdContextNewNote_.Release();
  if (selected != 1) return;
  ChangingBar(bar, false);
  step([&] {
    context_popup_ = bar->Controls()->Add(office::kControlPopup);
    step([&] { context_popup_->SetTag(kContextTag); });
    step([&] { context_popup_->SetCaption(LoadResString(res::kProductName)); });
    step([&] { context_popup_->SetVisible(true); });
  });
  ChangingBar(bar, true);
  step([&] {
    cmdContextNewNote_.Hold(Must(context_popup_).Controls()->Add(office::kControlButton),
                            Bind(&clsExplorer::cmdContextNewNote_Click));
  });
  office::CommandBarControl* button = cmdContextNewNote_.control.get();
  if (!button) return;
  step([&] { button->SetStyle(office::kButtonIconAndCaption); });
  step([&] { button->SetCaption(Must(cmdNewNote_.control).Caption()); });
  step([&] {
    PasteButtonFace(ctx_, cmdContextNewNote_.control, Must(cmdNewNote_.control).Picture(),
                    kMagenta);
  });
  ChangeCaption(cmdContextNewNote_.control);
}

void clsExplorer::ChangingBar(const office::CommandBarPtr& bar, bool restore) {
  RunGuardedSub(ctx_, "clsExplorer(Sub ChangingBar)", [&](Proc& proc) {
    if (!restore) {
      proc.line = 10;
      saved_changing_bar_ = changing_bar_;
      changing_bar_ = true;
      int protection = Must(bar).Protection();
      bar_was_protected_ = (protection & office::kBarNoCustomize) != 0;
      if (bar_was_protected_) bar->SetProtection(protection & ~office::kBarNoCustomize);
      return;
    }
    proc.line = 20;
    changing_bar_ = saved_changing_bar_;
    if (bar_was_protected_)
      Must(bar).SetProtection(bar->Protection() | office::kBarNoCustomize);
  });
}

void clsExplorer::ChangeCaption(const office::CommandBarControlPtr& button) {
  ReportedSteps step(ctx_, "clsExplorer(Sub ChangeCaption)");
  ol::ItemPtr item;
  step([&] {
    ol::SelectionPtr selection = Must(m_objExplorer_).Selection();
    if (selection->Count() > 0) item = selection->Item(1);
  });
  if (!item) return;
  std::string entry_id = TryGet([&] { return item->EntryID(); });
  bool has_note = FindNote(ctx_, entry_id) != nullptr;
  bool enabled = false;
  step([&] { enabled = Must(button).Enabled(); });
  if (enabled) {
    if (has_note) {
      step([&] { button->SetCaption(LoadResString(res::kViewNote)); });
      step([&] { button->SetTooltipText(LoadResString(res::kViewRelatedNote)); });
      SetBtnFace(ctx_, button, LoadResPicture("EDIT"), LoadResPicture("EDIT_MASK"));
    } else {
      step([&] { button->SetCaption(LoadResString(res::kAddNote)); });
      step([&] { button->SetTooltipText(LoadResString(res::kAddNewNote)); });
      SetBtnFace(ctx_, button, LoadResPicture("ADD"), LoadResPicture("ADD_MASK"));
    }
  }
  // The add-in writes the item: the selection events that causes are its own.
  bool was_updating = ctx_.item_update;
  ctx_.item_update = true;
  SetParentItemProperties(ctx_, item, has_note);
  ctx_.item_update = was_updating;
}

}  // namespace pinlet
