// The item-window wrapper's life: holding its window, and what its Close
// takes down.
#include "addin/error_report.h"
#include "addin/string_table.h"
#include "inspector/cls_inspector.h"
#include "store/note_windows.h"

namespace pinlet {

clsInspector::~clsInspector() {
  fInspector_events_.Reset();
  cmdNoteButton_.Release();
}

void clsInspector::SetInspector(ol::InspectorPtr inspector) {
  fInspector_events_.Reset();
  fInspector_ = std::move(inspector);
  if (!fInspector_) return;
  fInspector_events_ = fInspector_->OnClose([this] { fInspector_Close(); });
}

void clsInspector::fInspector_Close() {
  // Leaving the list releases the wrapper: it lives until this returns.
  std::shared_ptr<clsInspector> self = shared_from_this();
  RunGuardedSub(ctx_, "clsInspector(Sub fInspector_Close)", [&](Proc& proc) {
    proc.line = 10;
    std::string id = TryGet([&] { return Must(item_).EntryID(); });
    if (!id.empty()) CloseNote(ctx_, id);
    proc.line = 20;
    for (int text : {0, res::kAddNote, res::kViewNote}) {
      std::string caption = text == 0 ? "Insert Note" : LoadResString(text);
      IgnoreError([&] {
        office::CommandBarControlPtr control = Must(bar_).Controls()->Item(caption);
        if (control) control->Delete();
      });
    }
    proc.line = 30;
    if (ctx_.inspector_wrappers) {
      auto& list = *ctx_.inspector_wrappers;
      for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->GetID() == id_) {
          list.erase(it);
          break;
        }
      }
    }
  });
  fInspector_events_.Reset();
  fInspector_.reset();
  bar_.reset();
  note_.reset();
  item_.reset();
  cmdNoteButton_.Release();
}

}  // namespace pinlet
