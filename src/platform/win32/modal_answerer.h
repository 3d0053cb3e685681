// Answers the modal dialogs of one thread as a user would: message boxes,
// the common dialogs and any other dialog window (class "#32770"). Made for
// tests and for the test host, which must never wait for a person.
//
// While a ModalAnswerer lives, a CBT hook of its thread (SetWindowsHookExW
// WH_CBT) sees each dialog window activated and, once the dialog is up and
// its modal loop runs (a one-shot timer of the dialog's, so that nothing is
// done inside the hook), calls the answer callback with its HWND, once per
// dialog. The callback reads the dialog and acts on it through the helpers
// below (set a control, press a button) and returns true; false when it has
// nothing to do. A dialog the callback left alone, or that raised, is
// cancelled (IDCANCEL, as Escape) and recorded in cancelled(). A dialog
// still enabled some seconds after its answer (it refused it and kept
// waiting) is cancelled the same way, and ended (EndDialog) when even that
// does not close it; so no dialog outlives its answer by long.
//
// One answerer per thread at a time; all calls on the thread that made it.
#ifndef PINLET_PLATFORM_WIN32_MODAL_ANSWERER_H_
#define PINLET_PLATFORM_WIN32_MODAL_ANSWERER_H_

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet {

class ModalAnswerer {
 public:
  using Answer = std::function<bool(HWND dialog)>;

  // Hooks the calling thread; installed() says whether it could. A dialog
  // may stay up for `patience_ms` after its answer or its cancel.
  explicit ModalAnswerer(Answer answer, unsigned patience_ms = 3000);
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  bool installed() const { return hook_ != nullptr; }
  // The dialogs cancelled for want of an answer, each as
  // "[caption] reason".
  const std::vector<std::string>& cancelled() const { return cancelled_; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);
  static void CALLBACK ActNow(HWND dialog, UINT, UINT_PTR timer, DWORD);
  static void CALLBACK Watch(HWND dialog, UINT, UINT_PTR timer, DWORD);
  void Act(HWND dialog);
  void Cancel(HWND dialog, std::string reason);

  Answer answer_;
  unsigned patience_ms_;
  HHOOK hook_ = nullptr;
  std::set<HWND> seen_;        // dialogs given to the callback, until destroyed
  std::set<HWND> cancelling_;  // dialogs sent IDCANCEL by the watch
  std::vector<std::string> cancelled_;
};

// What a callback reads of a dialog and does to it.
namespace dialog {

// Whether `window` is a dialog window (class "#32770").
bool IsDialog(HWND window);
// A window's text (a dialog's caption); "" when it has none.
std::string Text(HWND window);
// The text of the dialog's control `id`; "" when there is none.
std::string ItemText(HWND dialog, int id);
// Sets the text of control `id` (the control tells the dialog, as typing
// would); false when there is no such control.
bool SetItemText(HWND dialog, int id, std::string_view text);
// Checks or clears check box `id` and tells the dialog, as a click would;
// false when there is no such control.
bool SetCheck(HWND dialog, int id, bool checked);
// Presses button `id`: posts WM_COMMAND BN_CLICKED, as a click does.
// False when the dialog is gone.
bool Press(HWND dialog, int id);
// Selects the item of combo box `id` whose text is `text` (ignoring case)
// and tells the dialog, as a choice from the list would; false when no item
// has that text.
bool ChooseComboText(HWND dialog, int id, std::string_view text);
// Chooses `text` in combo box `id` as a user would: the listed item of
// that text when there is one, else the text typed into its edit box (with
// CBN_EDITCHANGE); false when there is no such combo box.
bool EnterComboText(HWND dialog, int id, std::string_view text);
// Selects the item of combo box `id` whose item data is `data`, the same way.
bool ChooseComboData(HWND dialog, int id, LPARAM data);

// Types `name` into a file dialog's file name box (the Explorer-style
// dialog's edt1, or its combo box cmb13); false when it has neither.
bool SetFileName(HWND file_dialog, std::string_view name);

// Whether the dialog is a message box (it has the box's text control).
bool IsMessageBox(HWND dialog);
// A message box's text (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// The buttons a message box shows, as IDOK, IDCANCEL, ... in their order.
std::vector<int> MessageBoxButtons(HWND box);
// The message box's default button (DM_GETDEFID), or 0.
int DefaultButton(HWND box);

}  // namespace dialog

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_MODAL_ANSWERER_H_
