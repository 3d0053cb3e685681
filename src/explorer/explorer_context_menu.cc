// The "Pinlet" entry of the item context menu, rebuilt whenever Office
// redraws the bars, and the main button's caption and face, which follow
// whether the selected item has a note.
#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "explorer/bas_icons.h"
#include "explorer/cls_explorer.h"
#include "store/folder_identity.h"
#include "store/note_link.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"

namespace pinlet {
namespace {

constexpr const char* kContextTag = "NotesContextMenu";
// The base of the Tag of the entry's button (ControlTag).
constexpr const char* kContextNoteTag = "Pinlet.ContextNote";

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
  // No entry in an excluded folder (the one a redraw elsewhere made goes),
  // and nothing changes without a selection.
  bool excluded = true;
  step([&] { excluded = IsExcludedFolder(ctx_, Must(m_objExplorer_).CurrentFolder()); });
  if (excluded) {
    if (!changing_bar_) RemoveContextEntry();
    return;
  }
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
  step([&] { button->SetTag(ControlTag(ctx_, kContextNoteTag)); });
  step([&] { button->SetStyle(office::kButtonIconAndCaption); });
  step([&] { button->SetCaption(Must(cmdNewNote_.control).Caption()); });
  step([&] {
    PasteButtonFace(ctx_, cmdContextNewNote_.control, Must(cmdNewNote_.control).Picture(),
                    kMagenta);
  });
  ChangeCaption(cmdContextNewNote_.control);
}

void clsExplorer::RemoveContextEntry() {
  office::CommandBarPtr bar;
  office::CommandBarControlPtr entry;
  IgnoreError([&] {
    bar = FindBarByName(objCmdBars_, LoadResString(res::kContextMenu));
    entry = Must(bar).FindControl(std::nullopt, std::nullopt, kContextTag);
  });
  context_popup_.reset();
  cmdContextNewNote_.Release();
  if (!entry) return;
  ChangingBar(bar, false);
  IgnoreError([&] { entry->Delete(); });
  ChangingBar(bar, true);
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

void clsExplorer::ShowNoteLook(const office::CommandBarControlPtr& button,
                               bool has_note) {
  ReportedSteps step(ctx_, "clsExplorer(Sub ChangeCaption)");
  bool enabled = false;
  step([&] { enabled = Must(button).Enabled(); });
  if (!enabled) return;
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

std::optional<ol::ItemPtr> clsExplorer::FirstSelectedItem() {
  std::optional<ol::ItemPtr> item;
  IgnoreError([&] {
    ol::SelectionPtr selection = Must(m_objExplorer_).Selection();
    if (selection->Count() == 0) {
      item = nullptr;
      return;
    }
    ol::ItemPtr first = selection->Item(1);
    if (first) item = first;
  });
  return item;
}

void clsExplorer::ChangeCaption(const office::CommandBarControlPtr& button) {
  std::optional<ol::ItemPtr> selected = FirstSelectedItem();
  // A selection that cannot be read leaves the button as it is.
  if (!selected) return;
  // With nothing selected there is no note to view: the button adds one
  // (and asks for an item first).
  if (!*selected) return ShowNoteLook(button, false);
  ol::ItemPtr item = *selected;
  // An item whose EntryID or note cannot be read this time is not known to
  // have lost its note: its marking is left as it is.
  NoteSearch search = FindNoteOf(ctx_, item);
  bool has_note = search.result == NoteLookup::kFound;
  ShowNoteLook(button, has_note);
  if (search.result == NoteLookup::kUnknown) return;
  // The add-in writes the item: the selection events that causes are its own.
  ItemUpdateScope updating(ctx_);
  SetParentItemProperties(ctx_, item, has_note);
}

void clsExplorer::RefreshMainButton() {
  if (!cmdNewNote_.control) return;
  bool excluded = true;
  IgnoreError([&] { excluded = IsExcludedFolder(ctx_, Must(m_objExplorer_).CurrentFolder()); });
  if (excluded) return;
  std::optional<ol::ItemPtr> selected = FirstSelectedItem();
  if (!selected) return;
  ol::ItemPtr item = *selected;
  bool has_note = item && FindNoteOf(ctx_, item).note;
  ShowNoteLook(cmdNewNote_.control, has_note);
}

}  // namespace pinlet
