#include "sim/machine/sim_message_boxes.h"

#include <algorithm>

#include "sim/machine/world.h"

namespace pinlet::sim {

std::vector<int> SimMessageBoxes::Buttons(int style) {
  switch (style & 0xF) {
    case mb::kOkCancel:
      return {mb::kOk, mb::kCancel};
    case mb::kAbortRetryIgnore:
      return {mb::kAbort, mb::kRetry, mb::kIgnore};
    case mb::kYesNoCancel:
      return {mb::kYes, mb::kNo, mb::kCancel};
    case mb::kYesNo:
      return {mb::kYes, mb::kNo};
    case mb::kRetryCancel:
      return {mb::kRetry, mb::kCancel};
    default:
      return {mb::kOk};
  }
}

int SimMessageBoxes::DefaultButton(int style) {
  std::vector<int> buttons = Buttons(style);
  size_t index = (style & mb::kDefaultButton3)   ? 2
                 : (style & mb::kDefaultButton2) ? 1
                                                 : 0;
  // A default beyond the last button falls back to the first, as Windows does.
  return index < buttons.size() ? buttons[index] : buttons[0];
}

const char* SimMessageBoxes::ButtonName(int button) {
  switch (button) {
    case mb::kOk:
      return "OK";
    case mb::kCancel:
      return "Cancel";
    case mb::kAbort:
      return "Abort";
    case mb::kRetry:
      return "Retry";
    case mb::kIgnore:
      return "Ignore";
    case mb::kYes:
      return "Yes";
    case mb::kNo:
      return "No";
    default:
      return "?";
  }
}

int SimMessageBoxes::Show(std::string_view text, std::string_view title, int style) {
  try {
    world_->faults.Check("MsgBox");
  } catch (const HostError&) {
    // The answer meant for this box waits for it to be shown again.
    answers_.Hold(text, HasButton(style));
    throw;
  }
  return Ask(text, title, style);
}

std::function<bool(int)> SimMessageBoxes::HasButton(int style) {
  return [buttons = Buttons(style)](int button) {
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
  };
}

std::optional<int> SimMessageBoxes::Take(std::string_view text, int style) {
  return answers_.Take(text, HasButton(style));
}

int SimMessageBoxes::Ask(std::string_view text, std::string_view title, int style) {
  std::optional<int> answer = Take(text, style);
  Record record{std::string(text),
                std::string(title),
                style,
                answer ? *answer : DefaultButton(style),
                answer.has_value(),
                world_->ui.modal_forms().size()};
  if (!answer)
    world_->RecordDefect("a message box nobody answered: [" + record.title + "] \"" +
                         record.text + "\"; it was given its default button " +
                         ButtonName(record.answer));
  shown_.push_back(std::move(record));
  return shown_.back().answer;
}

}  // namespace pinlet::sim
