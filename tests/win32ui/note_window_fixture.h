// The note window (frmComments) built on real windows: the simulated
// Outlook for the mailbox, but the forms of Win32FormFactory, the system's
// clipboard and common dialogs and, when a test asks for it, the system's
// window manager. What the note tests of this directory stand on.
#ifndef PINLET_TESTS_WIN32UI_NOTE_WINDOW_FIXTURE_H_
#define PINLET_TESTS_WIN32UI_NOTE_WINDOW_FIXTURE_H_

#include <memory>
#include <string_view>

// The add-in's and the simulated host's headers come before windows.h,
// whose macros (GetWindowText) would rename their members.
// clang-format off
#include "addin/connect.h"
#include "notewindow/frm_comments.h"
#include "sim/machine/host_session.h"
#include "sim/machine/world.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_window_manager.h"

#include "form_fixture.h"
#include "platform/win32/win32_clipboard.h"
// clang-format on

namespace pinlet::testing {

class NoteWindowOnWin32 : public FormTest {
 protected:
  // Which of the system's surfaces replace the simulated ones, beyond the
  // forms, the clipboard and the dialogs that always do.
  struct Surfaces {
    bool window_manager = false;
    uint32_t note_colour = 0;  // the setting for new notes; 0 keeps the default
  };
  NoteWindowOnWin32() : NoteWindowOnWin32(Surfaces{}) {}
  explicit NoteWindowOnWin32(Surfaces surfaces);
  // Stops the add-in, which unloads its windows; each defect the simulated
  // Outlook recorded fails the test.
  ~NoteWindowOnWin32() override;

  // A new note for the inbox item `index`, as the Add Note button opens it;
  // nullptr when none was opened.
  std::shared_ptr<frmComments> AddNote(int index);
  // The window of the form's control of that name; nullptr when it has none.
  static HWND ControlWindow(ui::Form& form, std::string_view name);
  // A left click at the control's corner, sent (the control has run its
  // handlers when this returns).
  static void ClickOn(HWND window);
  // The note's text box and its window.
  static std::shared_ptr<ui::TextBox> TextOf(frmComments& note);

  AddinContext& context() { return addin_->context(); }

  sim::World world_;
  Win32Clipboard clipboard_;
  Win32Dialogs dialogs_;
  Win32WindowManager window_manager_;

 private:
  std::shared_ptr<Connect> addin_;
  std::unique_ptr<sim::HostSession> session_;
};

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_WIN32UI_NOTE_WINDOW_FIXTURE_H_
