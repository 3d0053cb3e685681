#include "notewindow/note_window_life.h"

namespace pinlet {

bool NoteWindowLife::Up() const {
  return phase_ == Phase::kFilling || phase_ == Phase::kSettling ||
         phase_ == Phase::kShown || phase_ == Phase::kLeaving;
}

bool NoteWindowLife::HasNote() const {
  return phase_ == Phase::kSettling || phase_ == Phase::kShown ||
         phase_ == Phase::kLeaving;
}

bool NoteWindowLife::Busy() const {
  return phase_ != Phase::kNew && phase_ != Phase::kShown;
}

void NoteWindowLife::Built() { phase_ = Phase::kFilling; }

void NoteWindowLife::NoteIn() { phase_ = Phase::kSettling; }

void NoteWindowLife::Settled() { phase_ = Phase::kShown; }

void NoteWindowLife::Leave() { phase_ = Phase::kLeaving; }

void NoteWindowLife::Refill() { phase_ = Phase::kFilling; }

void NoteWindowLife::Close() { phase_ = Phase::kClosing; }

void NoteWindowLife::Unloaded() { phase_ = Phase::kClosed; }

void NoteWindowLife::Abandon() {
  phase_ = Phase::kNew;
  keeping_ = Keeping::kExisting;
}

NoteWindowLife::Keeping NoteWindowLife::UserChanged() {
  Keeping before = keeping_;
  if (keeping_ != Keeping::kNothing) keeping_ = Keeping::kChanged;
  return before;
}

bool NoteWindowLife::ThrowAwayUntouched() {
  if (keeping_ != Keeping::kUntouchedNew) return false;
  keeping_ = Keeping::kExisting;
  return true;
}

}  // namespace pinlet
