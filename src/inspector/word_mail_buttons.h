// CWordMailButtons: "Add Note" and "Insert Note" on Word's mail windows.
//
// When Word is Outlook's e-mail editor, Word's instance of the add-in puts
// its buttons on the "Standard" bar of each Word mail window the first time
// Word activates it (Word's WindowActivate is the only Word event followed).
// The bars are the mail envelope's (a Word window has none of its own), the
// buttons are temporary, and every change to them is made with the mail's
// own document as Word's customization context, the user's context put back
// afterwards: nothing spills into Word's own bars, which ordinary documents
// show, or into Normal.dot. A window whose context cannot be set gets no
// buttons until its next activation. Each button has a Tag of its own
// (ControlTag), so that a click acts in its own window only:
// - "Add Note" (tag "Pinlet", faces "ADD"/"ADD_MASK"; captioned "View Note"
//   with the faces "EDIT"/"EDIT_MASK" while the mail is marked as having a
//   note) shows or creates the mail's note through the Outlook connector's
//   PinletClick. Only before version 12: later Outlooks give the window a
//   note button of their own, and a window has one;
// - "Insert Note" (tag "butInsertNote", tool tip "Insert related Note",
//   face "INSERT") finds the window's reply/forward object in the Outlook
//   connector's GetReplyForms, puts its note at the top of the mail
//   (NoteIntoHTML, or the plain text for a plain mail) with the note's files
//   attached, and leaves the bar.
// The faces follow the mail at every activation and after every click; they
// are set as Word's version allows (from Word 10 with their masks).
#ifndef PINLET_INSPECTOR_WORD_MAIL_BUTTONS_H_
#define PINLET_INSPECTOR_WORD_MAIL_BUTTONS_H_

#include <functional>
#include <memory>
#include <vector>

#include "addin/context.h"
#include "explorer/cls_explorer.h"
#include "platform/word_app.h"

namespace pinlet {

class CWordMailButtons {
 public:
  using OutlookConnector = std::function<std::shared_ptr<AddInConnector>()>;
  CWordMailButtons(AddinContext& ctx, word::ApplicationPtr word, OutlookConnector outlook)
      : ctx_(ctx), word_(std::move(word)), outlook_(std::move(outlook)) {}
  ~CWordMailButtons();
  CWordMailButtons(const CWordMailButtons&) = delete;
  CWordMailButtons& operator=(const CWordMailButtons&) = delete;

  // Follows Word's WindowActivate. Raises when the subscription fails.
  void Start();

  struct MailWindow {
    word::WindowPtr window;
    word::DocumentPtr document;
    ol::ItemPtr mail;
    HeldControl add_note, insert_note;
  };
  const std::vector<std::shared_ptr<MailWindow>>& windows() const { return windows_; }

 private:
  void word_WindowActivate(const word::DocumentPtr& doc, const word::WindowPtr& wn);
  // The record of the window editing `mail`, made with its buttons when new;
  // nullptr when Word's customization context could not be set for them.
  std::shared_ptr<MailWindow> WindowFor(const word::DocumentPtr& doc,
                                        const word::WindowPtr& wn,
                                        const ol::ItemPtr& mail);
  // Runs `change` with the mail's document as Word's customization context,
  // then puts the context before back; false (and nothing run) when the
  // context could not be set. A HostError of `change` goes to the caller.
  bool InMailContext(const word::DocumentPtr& doc, const std::function<void()>& change);
  // Caption, tool tip and faces of "Add Note" follow the mail's note.
  void ShowNoteState(MailWindow& window);
  void cmdAddNote_Click(const std::shared_ptr<MailWindow>& window);
  void cmdInsertNote_Click(const std::shared_ptr<MailWindow>& window);
  // Forgets windows whose buttons went with their window.
  void ForgetClosedWindows();

  AddinContext& ctx_;
  word::ApplicationPtr word_;
  OutlookConnector outlook_;
  Subscription word_events_;
  std::vector<std::shared_ptr<MailWindow>> windows_;
};

// Whether the item is marked as having a note ("ZPNHasNote" is "TRUE");
// false when that cannot be read.
bool MarkedWithNote(const ol::ItemPtr& item);

// Installs the Word editor as the core reaches it (Subsystems::WordEditor).
void InstallWordEditor(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_WORD_MAIL_BUTTONS_H_
