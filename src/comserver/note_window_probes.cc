#include "comserver/note_window_probes.h"

#include <windows.h>

#include <vector>

#include "notewindow/frm_comments.h"
#include "notewindow/note_window_report.h"
#include "platform/host_error.h"
#include "platform/win32ui/form_probe.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::com {
namespace {

std::vector<std::weak_ptr<Connect>>& LiveAddins() {
  static std::vector<std::weak_ptr<Connect>> addins;
  return addins;
}

// The add-in's note window over `form`; nullptr when it is no note window.
std::shared_ptr<frmComments> NoteWindowOver(win32ui::Win32Form& form) {
  WindowHandle handle = form.hWnd();
  for (const std::weak_ptr<Connect>& weak : LiveAddins()) {
    std::shared_ptr<Connect> addin = weak.lock();
    if (!addin || !addin->context().note_windows) continue;
    for (const auto& window : *addin->context().note_windows)
      if (window && window->hwnd() == handle)
        return std::dynamic_pointer_cast<frmComments>(window);
  }
  return nullptr;
}

std::string DescribeNote(win32ui::Win32Form& form, const frmComments* window) {
  HWND hwnd = form.window();
  NoteWindowPlace place;
  place.handle = form.hWnd();
  place.visible = IsWindowVisible(hwnd);
  place.active = GetActiveWindow() == hwnd;
  place.top_most = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  place.shown = [&form](std::string_view name) { return form.ControlShown(name); };
  place.usable = [&form](std::string_view name) { return form.ControlUsable(name); };
  return DescribeNoteWindow(form, window, place);
}

std::optional<std::string> Answer(win32ui::Win32Form& form, win32ui::FormProbe probe) {
  if (!form.loaded()) return std::nullopt;
  std::shared_ptr<frmComments> window = NoteWindowOver(form);
  switch (probe) {
    case win32ui::kProbeDescribeNote:
      return DescribeNote(form, window.get());
    case win32ui::kProbeNoteKind:
      return window ? NoteWindowKind(*window) : "";
    case win32ui::kProbeNoteEditState:
      return window && window->frmState == kEditState ? "1" : "0";
    case win32ui::kProbeNoteEntryId:
      // The note's own EntryID, as the host's item answers it; none when
      // the host cannot say.
      return window && window->objMyNote
                 ? TryGet([&] { return window->objMyNote->EntryID(); })
                 : "";
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
