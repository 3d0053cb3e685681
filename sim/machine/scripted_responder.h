// The strict scripted responder behind the simulated message boxes and
// dialogs: what the user will answer, queued in advance by a test or a
// script, optionally for the one prompt whose text contains some words.
//
// A prompt takes the first queued answer whose words it contains; failing
// that, the first queued answer meant for any prompt. Only an answer the
// prompt can take (a Yes for a box with a Yes button, a colour for a colour
// dialog) is taken; the others stay queued. A prompt that finds no answer
// is unanswered: the host records that as a defect of the run, since no
// user was there to see it.
//
// A prompt that fails to appear holds the answer meant for it: the user
// never saw it, so only that prompt shown again (a retry within the same
// action of the user's) may take it, and the answer is dropped when the
// action ends, never reaching a prompt of a later action.
#ifndef PINLET_SIM_MACHINE_SCRIPTED_RESPONDER_H_
#define PINLET_SIM_MACHINE_SCRIPTED_RESPONDER_H_

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win_paths.h"

namespace pinlet::sim {

template <typename Answer>
class ScriptedResponder {
 public:
  struct Entry {
    Answer answer;
    std::string match;  // "" answers any prompt; else a part of its text
    bool held = false;  // its prompt failed to appear (see Hold)
  };

  // Queues an answer for the next prompt, or for the next one whose text
  // contains `match` (without regard to case).
  void Queue(Answer answer, std::string match = "") {
    entries_.push_back({std::move(answer), std::move(match)});
  }
  // The answer for a prompt of `text`, removed from the queue; nullopt when
  // none fits. `fits(answer)` says whether the prompt can take an answer.
  template <typename Fits>
  std::optional<Answer> Take(std::string_view text, Fits fits) {
    auto pick = Find(text, fits);
    if (pick == entries_.end()) return std::nullopt;
    Answer answer = std::move(pick->answer);
    entries_.erase(pick);
    return answer;
  }
  // The prompt of `text` failed to appear: the answer it would have taken
  // is held for it until DropHeld.
  template <typename Fits>
  void Hold(std::string_view text, Fits fits) {
    auto pick = Find(text, fits);
    if (pick != entries_.end()) pick->held = true;
  }
  // The user's action is over: the answers of prompts that failed to appear
  // go.
  void DropHeld() {
    std::erase_if(entries_, [](const Entry& entry) { return entry.held; });
  }
  const std::deque<Entry>& pending() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  template <typename Fits>
  typename std::deque<Entry>::iterator Find(std::string_view text, Fits fits) {
    std::string folded = FoldName(text);
    auto pick = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (!fits(it->answer)) continue;
      if (!it->match.empty()) {
        if (folded.find(FoldName(it->match)) != std::string::npos) {
          pick = it;
          break;
        }
      } else if (pick == entries_.end()) {
        pick = it;
      }
    }
    return pick;
  }

  std::deque<Entry> entries_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SCRIPTED_RESPONDER_H_
