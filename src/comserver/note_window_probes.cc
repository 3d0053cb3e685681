#include "comserver/note_window_probes.h"

#include <windows.h>

#include <vector>

#include "assembly/published_state.h"
#include "platform/host_error.h"
#include "platform/win32ui/form_probe.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::com {
namespace {

std::vector<std::weak_ptr<Connect>>& LiveAddins() {
  static std::vector<std::weak_ptr<Connect>> addins;
  return addins;
}

// The live add-in whose note window `form` is; nullptr when it is none's.
std::shared_ptr<Connect> OwnerOf(win32ui::Win32Form& form) {
  for (const std::weak_ptr<Connect>& weak : LiveAddins()) {
    std::shared_ptr<Connect> addin = weak.lock();
    if (addin && assembly::NoteWindowFactsOf(*addin, form.hWnd())) return addin;
  }
  return nullptr;
}

std::string DescribeNote(win32ui::Win32Form& form, Connect* owner) {
  HWND hwnd = form.window();
  NoteWindowPlace place;
  place.handle = form.hWnd();
  place.visible = IsWindowVisible(hwnd);
  place.active = GetActiveWindow() == hwnd;
  place.top_most = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  place.shown = [&form](std::string_view name) { return form.ControlShown(name); };
  place.usable = [&form](std::string_view name) { return form.ControlUsable(name); };
  return assembly::DescribeNoteWindowOf(owner, form, place);
}

std::optional<std::string> Answer(win32ui::Win32Form& form, win32ui::FormProbe probe) {
  if (!form.loaded()) return std::nullopt;
  std::shared_ptr<Connect> owner = OwnerOf(form);
  std::optional<assembly::NoteWindowFacts> facts;
  if (owner) facts = assembly::NoteWindowFactsOf(*owner, form.hWnd());
  switch (probe) {
    case win32ui::kProbeDescribeNote:
      return DescribeNote(form, owner.get());
    case win32ui::kProbeNoteKind:
      return facts ? facts->kind : "";
    case win32ui::kProbeNoteEditState:
      return facts && facts->editing ? "1" : "0";
    case win32ui::kProbeNoteEntryId:
      // The note's own EntryID, as the host's item answers it; none when
      // the host cannot say.
      return facts && facts->note ? TryGet([&] { return facts->note->EntryID(); }) : "";
    default:
      return std::nullopt;
  }
}

}  // namespace

void AnswerProbesOfNoteWindows(const std::shared_ptr<Connect>& addin) {
  static const bool installed = (win32ui::SetFormProbeAnswerer(Answer), true);
  (void)installed;
  std::vector<std::weak_ptr<Connect>>& live = LiveAddins();
  std::erase_if(live, [](const std::weak_ptr<Connect>& weak) { return weak.expired(); });
  live.push_back(addin);
}

}  // namespace pinlet::com
