#include "inspector/bas_inspectors.h"

#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/string_table.h"
#include "explorer/bas_icons.h"
#include "inspector/cls_inspectors.h"
#include "inspector/word_mail_buttons.h"

namespace pinlet {
namespace {

// Whether `item` is `parent`: the same object, or the same saved item.
bool SameItem(const ol::ItemPtr& item, const ol::ItemPtr& parent) {
  if (!item || !parent) return false;
  if (item->IsSameObject(parent)) return true;
  std::string id = TryGet([&] { return parent->EntryID(); });
  return !id.empty() && TryGet([&] { return item->EntryID(); }) == id;
}

}  // namespace

NoteButtonLook NoteButtonLookOf(bool has_note) {
  if (has_note)
    return {LoadResString(res::kViewNote), LoadResString(res::kViewRelatedNote),
            LoadResPicture("EDIT"), LoadResPicture("EDIT_MASK")};
  return {LoadResString(res::kAddNote), LoadResString(res::kAddNewNote),
          LoadResPicture("ADD"), LoadResPicture("ADD_MASK")};
}

void ApplyNoteButtonLook(AddinContext& ctx, const office::CommandBarControlPtr& button,
                         bool has_note) {
  if (!button) return;
  NoteButtonLook look = NoteButtonLookOf(has_note);
  IgnoreError([&] { button->SetCaption(look.caption); });
  IgnoreError([&] { button->SetTooltipText(look.tooltip); });
  SetBtnFace(ctx, button, look.face, look.mask);
}

void CreateInspectorTracker(AddinContext& ctx, const ol::InspectorsPtr& inspectors) {
  RunGuardedSub(ctx, "basInspectors(Sub CreateInspectorTracker)", [&](Proc&) {
    ctx.inspector_tracker = std::make_shared<clsInspectors>(ctx);
    ctx.inspector_tracker->SetInspectors(inspectors);
  });
}

void SetInspectorNoteButton(AddinContext& ctx, const ol::ItemPtr& parent, bool has_note) {
  if (!parent) return;
  if (ctx.inspector_wrappers) {
    // A copy: changing a button raises no events, but stay safe anyway.
    auto wrappers = *ctx.inspector_wrappers;
    for (const auto& wrapper : wrappers)
      if (wrapper->note_button() && SameItem(wrapper->item(), parent))
        wrapper->SetNoteButton(has_note);
  }
  IgnoreError([&] {
    ol::InspectorsPtr inspectors = Must(ctx.application).Inspectors();
    int count = inspectors->Count();
    for (int i = 1; i <= count; ++i) {
      IgnoreError([&] {
        ol::InspectorPtr inspector = inspectors->Item(i);
        if (inspector->EditorType() != ol::kOlEditorWord) return;
        if (!SameItem(inspector->CurrentItem(), parent)) return;
        // Word's note button has a Tag of its own window's: it is found by
        // what it shows.
        office::CommandBarControlsPtr controls =
            inspector->CommandBars()->Item(LoadResString(res::kStandard))->Controls();
        for (int caption : {res::kAddNote, res::kViewNote}) {
          office::CommandBarControlPtr button =
              TryGet([&] { return controls->Item(LoadResString(caption)); });
          if (!button) continue;
          ApplyNoteButtonLook(ctx, button, has_note);
          break;
        }
      });
    }
  });
}

namespace {

class InspectorSubsystem : public Subsystems::Inspectors {
 public:
  void CreateTracker(AddinContext& ctx, const ol::InspectorsPtr& inspectors) override {
    CreateInspectorTracker(ctx, inspectors);
  }
  void SetNoteButton(AddinContext& ctx, const ol::ItemPtr& parent, bool has_note) override {
    SetInspectorNoteButton(ctx, parent, has_note);
  }
};

}  // namespace

void InstallInspectors(Subsystems& subsystems) {
  subsystems.inspectors = std::make_shared<InspectorSubsystem>();
  InstallWordEditor(subsystems);
}

}  // namespace pinlet
