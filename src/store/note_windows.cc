#include "store/note_windows.h"

#include <algorithm>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "platform/call_failed.h"
#include "store/folder_identity.h"

namespace pinlet {
namespace {

using WindowList = std::vector<std::shared_ptr<NoteWindow>>;

WindowList& List(AddinContext& ctx) {
  if (!ctx.note_windows)
    throw HostError(errors::kObjectNotSet, "The note window list is gone");
  return *ctx.note_windows;
}

std::shared_ptr<NoteWindow> FirstWithId(AddinContext& ctx, const std::string& id) {
  if (!ctx.note_windows) return nullptr;
  for (auto& window : *ctx.note_windows)
    if (window->strID == id) return window;
  return nullptr;
}

std::shared_ptr<NoteWindow> NewWindow(AddinContext& ctx, const std::string& id,
                                      ol::ItemPtr note, ol::ItemPtr parent) {
  if (!ctx.subsystems.note_windows) return nullptr;
  std::shared_ptr<NoteWindow> window = ctx.subsystems.note_windows->Create(ctx);
  Must(window).strID = id;
  window->objOriginalNote = std::move(note);
  window->objParentItem = std::move(parent);
  return window;
}

}  // namespace

std::shared_ptr<NoteWindow> GetNoteForm(AddinContext& ctx, const std::string& id,
                                        ol::ItemPtr note, ol::ItemPtr parent) {
  // An item of the notes folder is a note: it never gets a note of its own,
  // whichever command asked for one.
  if (!note && parent && TryGet([&] { return InNotesFolder(ctx, parent); }))
    return nullptr;
  // Outlook's own notes keep no user properties or attachments, so no note
  // is made for one: the user who asked for it is told why.
  if (!note && parent && TryGet([&] { return parent->Class() == ol::kNote; })) {
    ShowMessage(ctx, LoadResString(res::kNoNoteForOutlookNote),
                mb::kOkOnly | mb::kInformation, mb::kOk);
    return nullptr;
  }
  if (ReadCheck(ctx.registry(), kNoteKey, "NotesInOneWindow"))
    return GetLastNoteForm(ctx, id, std::move(note), std::move(parent));
  return RunGuarded(ctx, "basMainProc(Function GetNoteForm)",
                    std::shared_ptr<NoteWindow>(),
                    [&](Proc&) -> std::shared_ptr<NoteWindow> {
                      if (!NoteFormExists(ctx, id))
                        return NewWindow(ctx, id, note, parent);
                      std::shared_ptr<NoteWindow> found;
                      for (auto& window : List(ctx))
                        if (window->strID == id) found = window;  // the last match wins
                      return found;
                    });
}

std::shared_ptr<NoteWindow> GetLastNoteForm(AddinContext& ctx, const std::string& id,
                                            ol::ItemPtr note, ol::ItemPtr parent) {
  return RunGuarded(ctx, "basMainProc(Function GetLastNoteForm)",
                    std::shared_ptr<NoteWindow>(),
                    [&](Proc&) -> std::shared_ptr<NoteWindow> {
                      WindowList& list = List(ctx);
                      if (list.empty()) return NewWindow(ctx, id, note, parent);
                      std::shared_ptr<NoteWindow> window = list.back();
                      window->ClearForm(id, note, parent);
                      return window;
                    });
}

void DisplayNote(AddinContext& ctx, const std::shared_ptr<NoteWindow>& window) {
  if (!window) return;
  std::string id = window->strID;
  if (NoteFormExists(ctx, id)) {
    IgnoreError([&] { window->Show(); });
    if (window->blnOnTop) SetTopMost(ctx, window->hwnd(), true);
    return;
  }
  IgnoreError([&] { window->Show(); });
  // The window is listed only after its load has finished, unless it closed
  // itself meanwhile; a window that is listed already (re-used under
  // another key) is not listed twice.
  if (window->Closed()) return;
  if (ctx.note_windows && std::find(ctx.note_windows->begin(), ctx.note_windows->end(),
                                    window) == ctx.note_windows->end())
    ctx.note_windows->push_back(window);
}

bool NoteFormExists(AddinContext& ctx, const std::string& id) {
  return RunGuarded(ctx, "basMainProc(Function NoteFormExists)", false, [&](Proc&) {
    for (auto& window : List(ctx))
      if (window->strID == id) return true;
    return false;
  });
}

void CloseNote(AddinContext& ctx, const std::string& id) {
  std::shared_ptr<NoteWindow> window = FirstWithId(ctx, id);
  if (!window) return;
  IgnoreError([&] { window->Unload(); });
  RemoveNoteForm(ctx, window.get());
}

void ParentItemClosed(AddinContext& ctx, const std::string& id) {
  std::shared_ptr<NoteWindow> window = FirstWithId(ctx, id);
  if (!window || !window->blnParentOpened || !window->blnOnTop) return;
  SetTopMost(ctx, window->hwnd(), true);
  window->blnParentOpened = false;
}

void RemoveNoteForm(AddinContext& ctx, const NoteWindow* window) {
  if (!ctx.note_windows) return;
  auto& list = *ctx.note_windows;
  auto it = std::find_if(
      list.begin(), list.end(),
      [&](const std::shared_ptr<NoteWindow>& w) { return w.get() == window; });
  if (it != list.end()) list.erase(it);
}

void SetTopMost(AddinContext& ctx, WindowHandle window, bool top_most) {
  RunGuardedSub(ctx, top_most ? "basMainProc(Sub MakeTopMost)" : "basMainProc(Sub MakeNormal)",
                [&](Proc&) {
                  Succeeded(Must(ctx.platform.window_manager).SetTopMost(window, top_most),
                            "SetWindowPos");
                });
}

}  // namespace pinlet
