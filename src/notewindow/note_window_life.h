// The life of a note window, as two states with every transition here:
// where the window is (Phase: new, filling, shown, leaving its note,
// closing, closed) and what its note asks of the window when it goes
// (Keeping: a note that was there, a new one untouched, one the user
// changed, or nothing to keep). The window's handlers ask these questions
// and never keep flags of their own.
#ifndef PINLET_NOTEWINDOW_NOTE_WINDOW_LIFE_H_
#define PINLET_NOTEWINDOW_NOTE_WINDOW_LIFE_H_

namespace pinlet {

class NoteWindowLife {
 public:
  enum class Phase {
    kNew,       // not shown yet: the next Show builds the window and loads
    kFilling,   // the window is up and its note is being put into it
    kSettling,  // the note is in; the window lays itself out for it
    kShown,     // the note is shown: what the user does changes it
    kLeaving,   // the note shown is being given up for another
    kClosing,   // the window is going; its note is given up
    kClosed,    // unloaded: the window never shows again
  };
  enum class Keeping {
    kExisting,      // a note that was there: saved as the user changes it
    kUntouchedNew,  // a note this window made, thrown away on close unless changed
    kChanged,       // changed by the user since it was shown
    kNothing,       // nothing to save or ask on close: another window shows the
                    // note, it could not be stored, or it was deleted
  };

  Phase phase() const { return phase_; }
  Keeping keeping() const { return keeping_; }

  // The window is built and not closing: Show only shows it again.
  bool Up() const;
  // The window is closing or closed.
  bool Gone() const { return phase_ == Phase::kClosing || phase_ == Phase::kClosed; }
  // A note is in the window (settling, shown, or being left).
  bool HasNote() const;
  // The window is busy with its note, not the user: a change of the text
  // box is no edit of the user's.
  bool Busy() const;
  // The user changed the note since it was shown.
  bool Changed() const { return keeping_ == Keeping::kChanged; }
  // A note this window made that nobody changed yet.
  bool UntouchedNew() const { return keeping_ == Keeping::kUntouchedNew; }
  // Nothing is saved or asked when the window closes.
  bool KeepsNothing() const { return keeping_ == Keeping::kNothing; }

  // ---- Phase ----
  // new -> filling: the window was built for its first show.
  void Built();
  // filling -> settling: the note is in the window.
  void NoteIn();
  // settling -> shown: the window is ready for the user.
  void Settled();
  // shown -> leaving: the note is given up for another...
  void Leave();
  // ... leaving -> filling: ... which is put in next.
  void Refill();
  // -> closing: the window closes.
  void Close();
  // closing -> closed: it is unloaded.
  void Unloaded();
  // -> new: the window could not be shown and starts again, keeping nothing
  // of its note.
  void Abandon();

  // ---- Keeping ----
  // The note shown is one that was there already (or none could be made).
  void ShowsExisting() { keeping_ = Keeping::kExisting; }
  // The note shown is one this window just made.
  void ShowsNew() { keeping_ = Keeping::kUntouchedNew; }
  // The user changed the note. Answers what it was before, for the first
  // change's own work.
  Keeping UserChanged();
  // Nothing is to be kept when the window closes.
  void KeepNothing() { keeping_ = Keeping::kNothing; }
  // An untouched new note is thrown away: it is no longer new. True when it
  // was one.
  bool ThrowAwayUntouched();

 private:
  Phase phase_ = Phase::kNew;
  Keeping keeping_ = Keeping::kExisting;
};

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_NOTE_WINDOW_LIFE_H_
