// frmComments: the sticky-note window. One window shows one note item: its
// text, font and colours, its attachments and reminder, and the commands
// that act on it. The note window registry (store/note_windows.h) creates
// windows through the note window subsystem (Subsystems::NoteWindows), hands them a note and its
// parent item, shows them and keeps them in its list.
//
// A window is built on its first Show: the form "frmComments" with its
// controls at the design places (frm_comments_design.h), then Form_Load,
// which creates the note for a new note or fills the controls from an
// existing one. Every change is saved at once: each keystroke writes the
// note's text, the font and colour dialogs write their choice, the on-top
// button its state. A new note that is closed or replaced before its first
// change is deleted; a note changed once stays.
//
// The window keeps the note's appearance, reminder and saves in its model
// (NoteModel, note_model.h), shows the appearance on the controls and has
// the model save it, so a control that fails to show a change never keeps
// the change from being stored; the on-top state is the window's own
// (blnOnTop), which the model reads when it saves. A save that fails is
// done again at the next change and, at the latest, when the window closes
// or shows another note; while it still fails there, the user is asked,
// with the text still on the screen, and may keep the window open: what the
// user typed is never dropped without a word. A text that could not be
// loaded is not overwritten: the text box stays locked for that note.
//
// The window runs on the host's one thread; every handler it subscribes is
// an entry point of the add-in and lets no error escape. Its procedures
// follow the add-in's two error regimes as each one states. Names of
// members and controls are the system's, as its error tags spell them.
#ifndef PINLET_NOTEWINDOW_FRM_COMMENTS_H_
#define PINLET_NOTEWINDOW_FRM_COMMENTS_H_

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/context.h"
#include "commondlg/c_common_dialog.h"
#include "notewindow/c_text_box_edit.h"
#include "notewindow/note_model.h"
#include "notewindow/note_window_life.h"
#include "platform/ui_controls.h"

namespace pinlet {

// The display states (frmState).
constexpr int32_t kViewState = 0;  // toolbars hidden, the note colour all over
constexpr int32_t kEditState = 1;  // toolbars shown, a pale yellow frame

// The pale yellow of the window's frame and panels in the edit state.
constexpr uint32_t kFrameColour = 0xC0FFFF;

class frmComments : public NoteWindow, public std::enable_shared_from_this<frmComments> {
 public:
  // The context must outlive the window. Made only by std::make_shared.
  explicit frmComments(AddinContext& ctx);
  ~frmComments() override;
  frmComments(const frmComments&) = delete;
  frmComments& operator=(const frmComments&) = delete;

  // The window's handle once it is built; 0 before and after.
  WindowHandle hwnd() override { return hwnd_; }
  // Shows another note in this window (see the .cc for its steps); nothing
  // happens for the note it shows already.
  void ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) override;
  // The first Show builds and loads the window; a window that cannot be
  // built or shown leaves nothing behind (no control, no untouched note)
  // and is built again at the next Show. Later Shows bring it up. A window
  // that was unloaded stays unloaded.
  void Show() override;
  // (Show answers nothing: DisplayNote lists the window either way, and a
  // window that could not be shown is built again at its next Show.)
  // Closes the window as the add-in does, saving what is pending first; a
  // save that still fails asks the user Retry or Cancel (the window does
  // not stay).
  void Unload() override;
  bool Closed() override { return life_.Gone(); }

  // The note shown (the item edited), and the display state.
  ol::ItemPtr objMyNote;
  int32_t frmState = kViewState;

  // What the window holds, for the driver and tests; no host call.
  bool loaded() const { return life_.Up(); }
  const ui::FormPtr& form() const { return form_; }
  uint32_t back_colour() const { return model_.back_colour; }
  uint32_t fore_colour() const { return model_.fore_colour; }
  const ui::Font& font() const { return model_.font; }
  bool panel_shown() const { return m_blnPanelShown; }
  bool new_note() const { return life_.UntouchedNew(); }
  bool changed() const { return life_.Changed(); }
  // The text of the note could not be loaded; the box is locked.
  bool text_unread() const { return model_.text_unread(); }
  // A save did not complete yet; it is done again at the next chance.
  bool save_pending() const { return model_.save_pending(); }
  // The note's reminder text: "" for none, else a date optionally followed
  // by " h:mm AM/PM".
  const std::string& reminder() const { return model_.reminder; }

  // The next half-hour mark strictly after `time` ("h:mm AM/PM"), in the same
  // form: "9:29 AM" -> "9:30 AM", "9:30 AM" -> "10:00 AM", "11:45 PM" ->
  // "12:00 AM". "" for a text not of that form.
  static std::string FormatMinutes(std::string_view time);

  // The pages this window printed that are not deleted yet (paths of the
  // simulated or real machine); deleted when the window closes.
  const std::vector<std::string>& printed_pages() const { return printed_pages_; }

  // The part of `path` after its last "\" or "/" (the whole text when there
  // is none): an attachment's file name. Only the part before a NUL counts,
  // as for Windows (TextWindowsReads).
  static std::string GetName(std::string_view path);

 private:
  using Phase = NoteWindowLife::Phase;

  // ---- Building (frm_comments_design.cc) ----
  // Creates the form and its controls at their design places and subscribes
  // the events; false, with nothing left, when any step fails.
  bool Build();
  void CreateControls();
  void SubscribeEvents();
  // Drops the controls, the subscriptions and the form.
  void Release();
  template <typename... Args>
  std::function<void(Args...)> Handler(void (frmComments::*method)(Args...));
  std::shared_ptr<ui::Image> Img(std::string_view name) const;

  // ---- Lifecycle (frm_comments_lifecycle.cc) ----
  void Form_Initialize();
  void Form_Load();
  // The close-side steps; the form itself is unloaded by the caller.
  void Form_Unload();
  // The window closes itself (Ctrl+F4, a deleted note, a duplicate, the
  // add-in). With `can_stay`, a window whose changes cannot be saved stays
  // open when the user asks so (ConfirmSaved).
  void CloseWindow(bool can_stay);
  // A window whose first show failed gives up what it made and can be
  // built again.
  void Abandon();
  // Forgets the per-note state for another note or another build.
  void ResetNoteState();
  // The user closed the window with its close box.
  void OnFormUnload(int& cancel);
  void Form_GotFocus();
  void Form_KeyDown(int& key_code, int& shift);
  // Another window of the registry shows the same note.
  bool DuplicateOpen();
  // Form_Load step 6: creates a new note, or loads the existing one. False
  // when a new note cannot be made because the notes cannot be reached: the
  // user was told, and the text box takes no typing.
  bool LoadNote(bool refresh_explorer);
  // The time stamp of the note in lblTime.
  void ShowTime();
  // Deletes a new note that never changed, once; no other note is touched.
  void DiscardUntouchedNewNote();
  // Saves the window's place as "NoteLeft" and "NoteTop".
  void SavePosition();
  // Moves the window fully onto the display area when it is not.
  void EnsureOnWorkArea();
  // Where note windows go: the work area, else the whole screen; nullopt
  // when the host answers neither.
  std::optional<Rect> DisplayArea();

  // ---- The note on the window (frm_comments_persist.cc) ----
  // What the model reaches of this window.
  NoteModel::Binding ModelBinding();
  // The caption, the design's when it cannot be read.
  std::string ShownTitle();
  // The controls at their defaults and the model at the settings' appearance.
  void SetDefaultDisplayStyle();
  // Loads the existing note into the model and shows it; a text that cannot
  // be shown locks the box and the model's text.
  void SetCustomDisplayStyle();
  // Has the model keep the new note's EntryID and write its appearance as
  // it opened.
  void RecordNewNote();
  // Shows the model's appearance on the controls; failures ignored.
  void ApplyFont();
  void ApplyNoteColour();
  void Text_Change();
  void ChangesToParentItem();
  void AddNoteToParentItem();
  // Before the window gives up its note (it closes or shows another note):
  // does again every save that did not complete and, while one still fails,
  // asks the user. With `can_stay` (the window may stay): Yes tries again,
  // No gives the changes up, Cancel keeps the window open with its text;
  // a box that cannot be shown counts as Cancel. Without it (the add-in
  // closes the window): Retry or Cancel, the box showing the text that
  // would be lost. True when the window may give the note up: all is saved
  // or the user let the changes go (they are then no longer pending).
  // False, too, while the window is asking already. Failed saves are
  // reported with `tag`.
  bool ConfirmSaved(bool can_stay, std::string_view tag);
  // The note's item for saving, made now when the new note could not be
  // made at load; nullptr when there is none.
  ol::ItemPtr NoteForSaving();
  // Lets the active explorer handle its selection again.
  void RefreshExplorer();

  // ---- Layout (frm_comments_layout.cc) ----
  void Resize();
  void Form_Resize();
  void CheckForScrollBar();
  void ShowNoteToolbar(bool visible);
  void ShowTextToolbar(bool visible);
  void PositionTextToolbar(int32_t top);
  void ApplyBackColor(uint32_t colour);
  // Sets the window's height for the state and the panel.
  void FitHeight();
  // What the window's height adds below the panel's top.
  int32_t Chrome() const;
  // From the footer's bottom to the window's: the gap measured at load,
  // for the state and the panel.
  int32_t FooterGap() const;
  // View to edit: a click on the background, the panel or picScrollBar,
  // the mouse over Text.
  void SwitchToEdit();
  void SwitchToView();
  // Places the footer and the panel below the text.
  void PlaceBelowText();
  // The panel itself, and m_blnPanelShown with it.
  void SetPanelShown(bool shown);
  // The attachment count and the panel toggle in the footer.
  void ShowPanelToggle(bool visible);
  // The panel with its count and toggle: a list with entries has all three,
  // an empty one none of them.
  void ShowPanel(bool shown);
  int32_t TextTop() const;
  int32_t MinHeight() const;
  void Form_Click();
  void picAttachments_Click();
  void picScrollBar_Click();
  void Text_MouseMove(int button, int shift, int x, int y);
  void imgNoteView_Click();
  void Timer1_Timer();
  void transAttachments_Click();
  // Runs Timer1 while the note can fold back (the edit state) or an on-top
  // request waits; stops it otherwise.
  void UpdateTimer1();

  // ---- Picture buttons (frm_comments_buttons.cc) ----
  void SetToolTips();
  void SetButtonPicture(std::string_view button, std::string_view key);
  // Enables a button with its normal picture or disables it with its
  // disabled one.
  void EnableButton(std::string_view button, bool enabled);
  void ResetHoverButton();
  void Record(const std::string& button, const std::string& resting_key);
  void ButtonMouseDown(const std::string& button);
  void ButtonMouseMove(const std::string& button);
  void ButtonMouseUp(const std::string& button);
  void ButtonClick(const std::string& button);
  void imgNoteOnTop_MouseDown(int button, int shift, int x, int y);
  void imgNoteOnTop_MouseMove(int button, int shift, int x, int y);
  void BackgroundMouseMove(int button, int shift, int x, int y);
  std::string OnTopRestingKey() const;

  // ---- Attachment list (frm_comments_attachment_list.cc) ----
  void AddAttachments();
  void lstAttachments_Click();
  void ShowAttachCount();

  // ---- Attachment commands (frm_comments_attachments.cc) ----
  // The list's popup menu, made with the other controls.
  void CreateAttachmentMenu();
  void SubscribeAttachmentEvents(std::vector<Subscription>& events);
  void AddAttachment();
  void AttachFile(const std::string& path);
  void DeleteAttachment();
  void SaveAttachmentAs();
  // The Save As dialog for the attachment at list position `position`;
  // a cancelled dialog saves nothing. Errors ignored step by step.
  void SaveAs(int32_t position);
  void mnuPopupOpen_Click();
  // Deletes the copies of attachments this window opened (at close); one
  // still held open by its program stays for the next start.
  void DeleteOpenedCopies();
  void mnuPopupSaveAs_Click();
  void mnuPopupRemove_Click();
  void mnuAttachPopup_Click();
  void lstAttachments_DblClick();
  void lstAttachments_KeyDown(int& key_code, int& shift);
  void lstAttachments_MouseDown(int button, int shift, int x, int y);
  // The selected list position; -1 when none.
  int32_t SelectedAttachment();
  // Fills the list again from the note's attachments when the two no
  // longer agree; errors ignored.
  void RefillAttachmentList();
  // Shows the panel and enables Save and Delete for a list with entries.
  void ShowAttachmentControls();
  // Disables Save and Delete and hides the panel for an empty list.
  void HideAttachmentControls();
  // The folder a file dialog starts in: "%USERPROFILE%\My Documents" for
  // the window's first dialog, "" (where the last one ended) after it.
  std::string FileDialogFolder();

  // ---- Reminder (frm_comments_reminder.cc) ----
  void EnableReminder();
  void imgNoteReminder_Click();
  // Saves the reminder on the note and, for a mail or task parent, as
  // Outlook's reminder on it; a reminder for an item outside a top-level
  // folder is warned of first.
  void SaveReminder();
  // The reminder indicator shows whether a reminder is set, and when.
  void ShowReminderIndicator();

  // ---- Text commands (frm_comments_text.cc) ----
  void imgTextUndo_Click();
  void imgTextCut_Click();
  void imgTextCopy_Click();
  void imgTextPaste_Click();
  void imgTextClearAll_Click();
  void imgTextCopyAll_Click();
  void cmdInsertDate_Click();
  void TextColorChange();
  void TextFontChange();
  void FocusText();

  // ---- Printing (frm_comments_print.cc) ----
  void imgTextPrint_Click();
  // Builds the page, writes it to a new temporary file and hands it to the
  // shell's "print" verb; an on-top window is lowered meanwhile.
  void PrintNote();
  // Timer2's single tick after printing lets the window fold back.
  void Timer2_Timer();
  // Deletes the pages this window printed (at close).
  void DeletePrintedPages();
  // Deletes the add-in's pages in the temporary folder that no open window
  // holds: those that an earlier run or a closed window left.
  void DeleteStalePages();

  // ---- Note commands (frm_comments_note.cc) ----
  void SetWindowOnTop();
  void MakeTopMost();
  void MakeNormal();
  void imgNoteDelete_Click();
  // The delete command without closing the window: the question (unless
  // `ask` is false), the note deleted, the parent unmarked. False when the
  // user said No.
  bool DeleteNoteCommand(bool ask);
  void imgNoteOpen_Click();
  // The Open and Reminder buttons disabled: the parent cannot be opened.
  void DisableParentButtons();
  // Shows the parent with the opening guard raised; false when it failed.
  bool DisplayParent(const ol::ItemPtr& parent);

  AddinContext& ctx_;
  NoteWindowLife life_;
  ui::FormPtr form_;
  WindowHandle hwnd_ = 0;
  std::vector<Subscription> events_;

  // The controls the code reaches by name.
  std::shared_ptr<ui::TextBox> Text;
  std::shared_ptr<ui::PictureBox> picFooter, picAttachments, picScrollBar;
  std::shared_ptr<ui::Label> lblLastModified, lblTime, lblAttachments, Label1, Line1;
  std::shared_ptr<ui::ListBox> lstAttachments;
  std::shared_ptr<ui::Image> transScroll, transAttachments, transReminder;
  std::shared_ptr<ui::Timer> Timer1, Timer2;
  std::shared_ptr<ui::Menu> mnuAttachPopup, mnuPopupOpen, mnuPopupSaveAs, mnuPopupRemove;
  std::map<std::string, std::shared_ptr<ui::Image>, std::less<>> images_;

  // The window's private state, as the system names it.
  ol::ItemPtr m_objNewItem;
  std::unique_ptr<cTextBoxEdit> m_objTextEdit;
  std::unique_ptr<cCommonDialog> m_cHookAddDlg;
  bool m_blnCollapseArmed = false;
  bool m_blnBusy = false;
  int32_t m_sngFooterGap = 0;
  bool m_blnPanelShown = false;
  bool m_blnLayoutBusy = false;
  bool m_blnResizing = false;
  bool m_blnViewSwitch = false;
  std::array<std::string, 2> m_astrHoverButton;  // button, resting picture
  std::string m_strAttachCount = "0";
  bool m_blnFirstFileDialog = false;
  bool m_blnListFill = false;
  // An on-top state to apply again once the window is active (printing).
  bool m_blnOnTopPending = false;
  // Timer1 runs at the print's long interval; its next tick restores it.
  bool m_blnPrintWait = false;
  std::vector<std::string> printed_pages_;
  // The copies of attachments this window opened, deleted when it closes.
  std::vector<std::string> attachment_copies_;

  // The note's appearance, reminder and saves.
  NoteModel model_;
  // The text box's height, as the layout last set it.
  int32_t m_textHeight = 0;
  bool timer1_running_ = false;
  // ConfirmSaved's box is up: the note is not given up meanwhile.
  bool m_blnAsking = false;
};

// Installs the note window subsystem: Create makes a frmComments, and the
// start-up clean-up deletes the attachment copies an earlier session left.
void InstallNoteWindow(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_FRM_COMMENTS_H_
