// The test host's answers to the real message boxes and common dialogs that
// the COM add-in shows, taken from the simulated machine exactly as the
// add-in linked in would get them.
//
// While a UiAnswers lives, a ModalAnswerer hooks the thread. The add-in's
// calls of the system's boxes and dialogs are watched (shown_calls.h); when
// one is up, the simulated machine is asked the same call with the same
// description (SimMessageBoxes::Show, SimDialogs::ShowColor, ...), which
// records it and gives its queued answer, and that answer is enacted in the
// real window's controls: the button pressed, the colour typed into red,
// green and blue, the font's name, style, size and effects chosen, the full
// path typed as the file name. A box that a file dialog shows itself (the
// question before replacing a file) was already asked of the simulated
// machine, which only chooses a file once it is replaced: it is answered
// Yes. A box that no watched call shows (the system's own) is asked of the
// simulated machine as the machine's box (SimMessageBoxes::Ask), its style
// read from its buttons, default button and icon.
//
// What cannot be enacted as the simulated machine answered (a failure the
// fault injector gives a call the system cannot fail, a font this machine
// does not have, custom colours, a dialog the answer left up, a box or
// dialog with nothing to answer it) is told by TakeTrouble, so that the
// host reports the command as needing more than the test host can give.
#ifndef PINLET_SIM_COMHOST_UI_ANSWERS_H_
#define PINLET_SIM_COMHOST_UI_ANSWERS_H_

#include <windows.h>

#include <set>
#include <string>

#include "sim/comhost/shown_calls.h"
#include "platform/win32/modal_answerer.h"

namespace pinlet::sim {
class World;
}

namespace pinlet::comhost {

class UiAnswers {
 public:
  // Hooks the calling thread; `world` must outlive this object.
  explicit UiAnswers(sim::World& world);
  UiAnswers(const UiAnswers&) = delete;
  UiAnswers& operator=(const UiAnswers&) = delete;

  bool installed() const { return answerer_.installed(); }
  // What could not be answered as linked in since the last call, "" when
  // everything could; cleared as it is taken.
  std::string TakeTrouble();

 private:
  bool Answer(HWND window);
  bool AnswerBox(HWND box, int style);
  bool AnswerOwnBox(HWND box);
  bool AnswerColor(HWND dialog, ColorDialog given);
  bool AnswerFont(HWND dialog, FontDialog given);
  bool AnswerFile(HWND dialog, FileDialog given, bool save);
  // Records trouble and answers false, so that the window is cancelled.
  bool Trouble(std::string what);

  sim::World& world_;
  std::set<HWND> file_dialogs_;  // file dialogs answered, whose boxes are theirs
  std::string trouble_;
  size_t cancelled_seen_ = 0;
  ModalAnswerer answerer_;  // last: it calls back into the members above
};

// The style (mb::k...) a message box shows: its buttons, its default
// button and its icon.
int MessageBoxStyle(HWND box);

}  // namespace pinlet::comhost

#endif  // PINLET_SIM_COMHOST_UI_ANSWERS_H_
