// The simulated message boxes: a strict scripted responder (see
// scripted_responder.h) and the record of every box shown.
//
// A box takes a queued button that it has (Yes only for a box with a Yes
// button); a queued answer may be meant only for the box whose text contains
// some words. A box nobody answered is a defect of the run (World's defect
// list): it gets its default button, as Enter would give it, and the record
// says it was not answered.
#ifndef PINLET_SIM_MACHINE_SIM_MESSAGE_BOXES_H_
#define PINLET_SIM_MACHINE_SIM_MESSAGE_BOXES_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/machine/scripted_responder.h"
#include "platform/windows.h"

namespace pinlet::sim {

class World;

class SimMessageBoxes : public MessageBoxes {
 public:
  struct Record {
    std::string text;
    std::string title;
    int style = 0;
    int answer = 0;
    bool answered = true;  // false: nobody answered; the default button was used
    // How many modal forms had been shown before it (SimUi::modal_forms),
    // which tells the order in which boxes and forms appeared.
    size_t modal_forms_before = 0;
  };
  explicit SimMessageBoxes(World* world) : world_(world) {}

  // MsgBox (the add-in's call): raises when the fault injector says so; the
  // answer meant for the box is then held for it: only the box shown again
  // within the same action of the user's takes it, and DropHeldAnswers
  // drops it when the action ends, so that no later box gets it.
  int Show(std::string_view text, std::string_view title, int style) override;
  // A box the machine itself shows (a shell confirmation, a dialog's
  // question): answered and recorded the same way, not a call of the add-in's.
  int Ask(std::string_view text, std::string_view title, int style);

  // Queues the button (mb::kYes, ...) that the next box, or the next box
  // whose text contains `match`, is answered with.
  void QueueAnswer(int button, std::string match = "") {
    answers_.Queue(button, std::move(match));
  }
  size_t queued_answers() const { return answers_.pending().size(); }
  void DropHeldAnswers() { answers_.DropHeld(); }
  const std::vector<Record>& shown() const { return shown_; }

  // The buttons of a box of `style`, in the order shown.
  static std::vector<int> Buttons(int style);
  // The button that Enter chooses.
  static int DefaultButton(int style);
  // "OK", "Cancel", "Yes", ...
  static const char* ButtonName(int button);

 private:
  // The queued answer for a box of `text` and `style`, removed from the queue.
  std::optional<int> Take(std::string_view text, int style);
  // Whether a box of `style` has the button an answer names.
  static std::function<bool(int)> HasButton(int style);

  World* world_;
  ScriptedResponder<int> answers_;
  std::vector<Record> shown_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_MESSAGE_BOXES_H_
