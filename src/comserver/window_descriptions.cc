#include "comserver/window_descriptions.h"

#include "addin/connect.h"
#include "assembly/published_state.h"
#include "platform/host_error.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::com {
namespace {

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

}  // namespace

std::optional<std::string> DescribeWindowOf(Connect* addin, HWND window,
                                            std::string_view aspect) {
  std::shared_ptr<win32ui::Win32Form> form = win32ui::Win32Form::Over(window);
  if (!form) return std::nullopt;
  if (aspect == aspect::kForm) return form->Describe();
  // A note window is the add-in's when one of its note windows is over it.
  std::optional<assembly::NoteWindowFacts> facts;
  if (addin) facts = assembly::NoteWindowFactsOf(*addin, form->hWnd());
  if (aspect == aspect::kNote) return DescribeNote(*form, facts ? addin : nullptr);
  if (aspect == aspect::kNoteKind) return facts ? facts->kind : "";
  if (aspect == aspect::kNoteEditing) return facts && facts->editing ? "1" : "0";
  if (aspect == aspect::kNoteEntryId)
    // The note's own EntryID, as the host's item answers it; none when the
    // host cannot say.
    return facts && facts->note ? TryGet([&] { return facts->note->EntryID(); }) : "";
  return std::nullopt;
}

}  // namespace pinlet::com
