// clsExplorer: the wrapper of one Outlook main window.
//
// A wrapper holds its Explorer with events from the moment the window is
// known until the window's Close, and owns what the add-in puts on that
// window: the "Pinlet ToolBar" with its buttons and popup, the "Zarvo
// Options" and "Zarvo About" submenus, the "Pinlet" entry of the item context
// menu and the hooks on Outlook's Reply, Reply to All and Forward. It follows
// the window's selection to switch its main button between "Add Note" and
// "View Note", and in one-window mode makes the shared note window follow the
// selection.
//
// Every handler is an entry point of the add-in: it reports or swallows the
// host's errors as its procedure's regime says and never lets one escape.
// The wrapper's members live in several files, by concept: tracking and
// lifetime (explorer_tracking.cc), the toolbar and menus (explorer_bars.cc),
// the context menu and the main button's face (explorer_context_menu.cc),
// selection and folder switches (explorer_selection.cc) and the click
// handlers (explorer_commands.cc).
#ifndef PINLET_EXPLORER_CLS_EXPLORER_H_
#define PINLET_EXPLORER_CLS_EXPLORER_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/context.h"
#include "platform/command_bars.h"

namespace pinlet {

// A command bar control held with events: the control and its Click sink.
struct HeldControl {
  office::CommandBarControlPtr control;
  Subscription events;

  // Holds `c` and sinks its Click into `handler`. The control is held even
  // when the subscription raises (the HostError goes to the caller).
  void Hold(office::CommandBarControlPtr c, office::ClickHandler handler);
  // Disconnects the sink, then releases the control.
  void Release();
};

class clsExplorer : public std::enable_shared_from_this<clsExplorer> {
 public:
  explicit clsExplorer(AddinContext& ctx) : ctx_(ctx) {}
  // Class_Terminate: saves the toolbar position, then releases everything
  // it holds. Continues past errors.
  ~clsExplorer();
  clsExplorer(const clsExplorer&) = delete;
  clsExplorer& operator=(const clsExplorer&) = delete;

  // Assigns m_objExplorer and holds it with events (nullptr holds nothing).
  // Raises when a subscription fails; the explorer is assigned all the same.
  void SetExplorer(ol::ExplorerPtr explorer);
  const ol::ExplorerPtr& explorer() const { return m_objExplorer_; }

  void SetID(int id) { id_ = id; }
  int GetID() const { return id_; }
  void SetSelectedItemEntryID(std::string id) { selected_entry_id_ = std::move(id); }
  const std::string& GetSelectedItemEntryID() const { return selected_entry_id_; }

  // Adds the menu entries the first time, then enables the toolbar unless
  // the current folder is excluded. Reported as "clsExplorer(Sub FolderChanged)".
  void FolderChanged();
  // The selection handler; the note window calls it too (with the
  // note-refresh flag set) after it changed the selected item's note.
  void m_objExplorer_SelectionChange();
  // The main button shows again whether the first selected item has a note
  // ("Add Note" when nothing is selected), after a note was made or
  // deleted elsewhere. Nothing else of the selection handling runs: no
  // marking, no note window. Nothing happens in an excluded folder or
  // before the toolbar exists. Continues past errors.
  void RefreshMainButton();

  // What the add-in put on the window, for tests and the pinlet command.
  const office::CommandBarPtr& toolbar() const { return toolbar_; }
  const office::CommandBarControlPtr& main_button() const { return cmdNewNote_.control; }
  const office::CommandBarControlPtr& filter_button() const { return cmdFilter_.control; }
  bool toolbar_built() const { return toolbar_built_; }
  bool menu_added() const { return menu_added_; }

 private:
  // m_objExplorer_Close, CreatePNXToolBar, AddMenu, objCmdBars_OnUpdate and
  // ChangeCaption go on past a failing step and report it with their tag
  // ("clsExplorer(Sub AddMenu)"); a lookup that finds nothing is no failure.

  // --- Tracking (explorer_tracking.cc).
  void m_objExplorer_Activate();
  void m_objExplorer_Close();

  // --- Toolbar and menus (explorer_bars.cc).
  void CreatePNXToolBar();
  void AddMenu();
  // Adds a button (not temporary) to `popup`'s menu with a face pasted from
  // `picture` (magenta transparent); `button` receives it as soon as it
  // exists. Reported as "clsExplorer(Function AddMenuItem)".
  void AddMenuItem(const office::CommandBarControlPtr& popup, const std::string& caption,
                   bool enabled, bool begin_group, const Picture& picture,
                   office::CommandBarControlPtr& button);
  void SaveBarPosition();
  void RestoreBarPosition();
  // Enables the toolbar, or disables it in an excluded folder.
  void ApplyToolbarEnabled();

  // --- Context menu and the main button (explorer_context_menu.cc).
  void objCmdBars_OnUpdate();
  // Takes the "Pinlet" entry out of the item context menu, where an
  // earlier redraw in another folder left it.
  void RemoveContextEntry();
  // restore false: before the add-in edits `bar`; true: after.
  void ChangingBar(const office::CommandBarPtr& bar, bool restore);
  // Caption, tool tip and face of `button` follow whether the first selected
  // item has a note ("Add Note" when nothing is selected); the item's
  // marking is refreshed.
  void ChangeCaption(const office::CommandBarControlPtr& button);
  // "View Note" (has_note) or "Add Note", with tool tip and faces; only
  // while `button` is enabled.
  void ShowNoteLook(const office::CommandBarControlPtr& button, bool has_note);
  // The first item of the window's selection: nullptr when nothing is
  // selected, nullopt when the selection cannot be read.
  std::optional<ol::ItemPtr> FirstSelectedItem();

  // --- Selection and folder switches (explorer_selection.cc).
  void m_objExplorer_FolderSwitch();
  void m_objExplorer_BeforeFolderSwitch(const ol::FolderPtr& new_folder, bool& cancel);
  void m_objExplorer_BeforeViewSwitch(const std::string& new_view, bool& cancel);
  // Sets the reply/forward hand-over when the item that `source` (a main
  // window or an item window) answers has a note.
  void FindNoteBody(const office::WindowPtr& source);
  // The note window list's last window, hidden.
  void HideLastNoteWindow();

  // --- Click handlers (explorer_commands.cc).
  void cmdNewNote_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdContextNewNote_Click(const office::CommandBarControlPtr& ctrl,
                               bool& cancel_default);
  void cmdFilter_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdReply_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdReplyAll_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdForward_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdSettings_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void menOptions_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdHelp_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdOtherHelp_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void cmdAbout_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  void menAbout_Click(const office::CommandBarControlPtr& ctrl, bool& cancel_default);
  // The three hooked Outlook buttons share one body under their own tags.
  void AnswerClicked(const char* tag, const office::CommandBarControlPtr& ctrl);
  // A click handler bound to this wrapper.
  office::ClickHandler Bind(
      void (clsExplorer::*handler)(const office::CommandBarControlPtr&, bool&));

  AddinContext& ctx_;

  ol::ExplorerPtr m_objExplorer_;
  std::vector<Subscription> explorer_events_;
  office::CommandBarControlPtr toolbar_popup_;
  std::string menu_bar_name_;
  bool menu_added_ = false;
  bool toolbar_built_ = false;
  int id_ = 0;
  office::CommandBarPtr toolbar_;
  bool changing_bar_ = false;
  office::CommandBarControlPtr context_popup_;
  std::string selected_entry_id_;

  HeldControl menOptions_, menAbout_, cmdNewNote_, cmdFilter_, cmdHelp_, cmdSettings_,
      cmdOtherHelp_, cmdAbout_, cmdForward_, cmdReply_, cmdReplyAll_, cmdContextNewNote_;
  office::CommandBarsPtr objCmdBars_;
  Subscription objCmdBars_events_;

  // What ChangingBar keeps from one call to the next.
  bool saved_changing_bar_ = false;
  bool bar_was_protected_ = false;
};

}  // namespace pinlet

#endif  // PINLET_EXPLORER_CLS_EXPLORER_H_
