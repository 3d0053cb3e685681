#include "assembly/published_state.h"

#include <memory>

#include "explorer/cls_explorers.h"
#include "notewindow/frm_comments.h"

namespace pinlet::assembly {
namespace {

std::shared_ptr<frmComments> NoteWindowOver(Connect& addin, WindowHandle form) {
  const auto& windows = addin.context().note_windows;
  if (!windows) return nullptr;
  for (const auto& window : *windows)
    if (window && window->hwnd() == form) return std::dynamic_pointer_cast<frmComments>(window);
  return nullptr;
}

}  // namespace

std::optional<NoteWindowFacts> NoteWindowFactsOf(Connect& addin, WindowHandle form) {
  std::shared_ptr<frmComments> window = NoteWindowOver(addin, form);
  if (!window) return std::nullopt;
  return NoteWindowFacts{NoteWindowKind(*window), window->frmState == kEditState,
                         window->strID, window->objMyNote};
}

std::string DescribeNoteWindowOf(Connect* addin, ui::Form& form,
                                 const NoteWindowPlace& place) {
  std::shared_ptr<frmComments> window = addin ? NoteWindowOver(*addin, place.handle) : nullptr;
  return DescribeNoteWindow(form, window.get(), place);
}

std::optional<std::vector<ExplorerFacts>> ExplorerFactsOf(Connect& addin) {
  clsExplorers* tracker = addin.context().explorer_tracker.get();
  if (!tracker) return std::nullopt;
  std::vector<ExplorerFacts> facts;
  for (const auto& wrapper : tracker->wrappers())
    facts.push_back({wrapper->GetID(), wrapper->explorer(),
                     tracker->active_explorer_id == wrapper->GetID(),
                     wrapper->toolbar_built(), wrapper->menu_added()});
  return facts;
}

}  // namespace pinlet::assembly
