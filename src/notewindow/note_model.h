// NoteModel: the note a note window shows, apart from the window: the
// note's appearance (font, text colour, note colour), its reminder, whether
// its text could be read, and every save of these to the note item and its
// parent, with the saves that did not complete kept until they do.
//
// The model holds no form and no control. The window that shows the note
// binds it (Binding): at the time of each save the model asks the window for
// the note's text and title as shown, whether it is kept on top, the note
// item to write to and the item the note belongs to; a save done again asks
// again. The window shows the appearance on its controls and asks the model
// to save after each change.
//
// Reads never raise: what cannot be read keeps what the model holds. Saves
// raise a HostError to Store, which reports it and keeps the save pending;
// Store itself never raises.
#ifndef PINLET_NOTEWINDOW_NOTE_MODEL_H_
#define PINLET_NOTEWINDOW_NOTE_MODEL_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/context.h"
#include "platform/ui.h"
#include "store/note_property.h"

namespace pinlet {

class NoteModel {
 public:
  // A save, and what remains to be saved after a failed one.
  enum Pending : unsigned {
    kPendingText = 1,  // the text and its first line; nothing while locked
    kPendingFont = 2,  // the seven font properties, with the text colour
    kPendingBackColor = 4,
    kPendingOnTop = 8,            // "ZPNOnTop", as the window is kept
    kPendingAttachments = 16,     // the note item with its attachments
    kPendingReminder = 32,        // "ZPNReminder"
    kPendingParentReminder = 64,  // Outlook's reminder on the parent item
  };

  // What the model asks of the window that shows the note. Each is called
  // when a save or a load needs it; its answer is never kept.
  struct Binding {
    // The note's text as shown; raises when it cannot be read.
    std::function<std::string()> text;
    // The note's title as shown; never raises.
    std::function<std::string()> title;
    // Whether the window is kept on top.
    std::function<bool()> on_top;
    // The note item to write to, made now when the window has none yet;
    // nullptr when there is none. May raise.
    std::function<ol::ItemPtr()> note;
    // The item the note belongs to; nullptr for none.
    std::function<ol::ItemPtr()> parent;
  };

  // What Load read besides the appearance and the reminder.
  struct Loaded {
    std::optional<std::string> title;  // nullopt: not read
    std::optional<std::string> text;   // nullopt: not read (the text is locked)
  };

  // The context must outlive the model.
  NoteModel(AddinContext& ctx, Binding binding);

  // The note's appearance, as shown and as saved. The window changes them
  // and then stores them (Store).
  ui::Font font;
  uint32_t fore_colour = 0;
  uint32_t back_colour = 0;
  // The note's reminder: "" for none, else a date optionally followed by
  // " h:mm AM/PM".
  std::string reminder;

  // ---- Reading (note_model.cc) ----
  // The appearance a new note takes, from the settings. A value never set
  // keeps a readable note: the text box's own font, black on the note
  // colour's default.
  void LoadDefaults();
  // Reads an existing note's title, appearance, text and reminder. Each
  // property the note lacks is written to it with what the model holds now
  // (the title as shown); each that cannot be read keeps what the model
  // holds. A text that cannot be read locks the text (LockText).
  Loaded Load(const ol::ItemPtr& note);
  // Whether `note` is kept on top: its "ZPNOnTop", else the setting
  // "NoteOnTop", which a note without the property is given.
  bool LoadOnTop(const ol::ItemPtr& note);
  // Keeps the EntryID of the new note `note` and writes to it the
  // appearance it opened with and the reminder, as an existing note has them
  // after its first load; it is kept on top as `on_top` says, else as the
  // setting "NoteOnTop" says. Failures ignored.
  void RecordNew(const ol::ItemPtr& note, std::optional<bool> on_top);

  // ---- The text ----
  // The text of the note could not be read or shown: it is never saved for
  // this note, so that what the note holds is not overwritten.
  bool text_unread() const { return text_unread_; }
  void LockText() { text_unread_ = true; }
  // Forgets what belonged to the previous note: the reminder, the locked
  // text, the saves pending and the new note's EntryID. The appearance stays
  // until the next load.
  void Forget();

  // ---- Saving (note_model_save.cc) ----
  // Runs the save of `what` (a Pending value); true when it completed. A
  // failed save is reported with `tag` and stays pending; a completed one
  // is no longer pending.
  bool Store(unsigned what, std::string_view tag);
  // Does again every save that did not complete, in the order of Pending;
  // failures reported with `tag`.
  void FlushPendingSaves(std::string_view tag);
  // Some save did not complete yet; one of `what` (Pending values) did not.
  bool save_pending() const { return pending_ != 0; }
  bool pending(unsigned what) const { return (pending_ & what) != 0; }
  // The user let the changes go: nothing is pending any more.
  void GiveUpPending() { pending_ = 0; }

  // Deletes the note shown (`note`) for good, its attachments first: it is
  // moved to Deleted Items and deleted there, else deleted where it is and
  // again from Deleted Items. A new note whose EntryID cannot be read any
  // more is found by the one RecordNew kept. True when nothing of it is
  // left: also for nullptr and for a note never saved.
  bool DeleteNote(const ol::ItemPtr& note);

 private:
  static constexpr const char* kOnTopProperty = "ZPNOnTop";
  static constexpr const char* kReminderProperty = "ZPNReminder";

  // The note's properties the model reads, with what it holds now.
  std::vector<NoteValue> ShownProperties() const;
  // The seven font properties, as the model holds them.
  std::vector<NoteValue> FontProperties() const;
  // A colour as a note keeps it: its 24-bit 0xBBGGRR value in decimal;
  // and the colour such a text holds, 0 for one that holds none.
  static std::string ColourProperty(uint32_t colour);
  static uint32_t PropertyColour(const std::string& text);
  // The note item to save to; raises when there is none.
  ol::ItemPtr NoteForSaving() const;
  // Each raises on failure; Store runs them.
  void SaveNoteText();
  void SaveFontSettings();
  void SaveBackgroundColor();
  void SaveNotePositionOnTop();
  // Saves the note item after its attachments changed.
  void SaveNoteItem();
  // Writes "ZPNReminder".
  void SaveReminderProperty();
  // Sets or clears Outlook's reminder on a mail or task parent as the
  // reminder says, and saves the parent; raises when the save fails.
  void SaveParentReminder();

  AddinContext& ctx_;
  Binding binding_;
  bool text_unread_ = false;
  unsigned pending_ = 0;
  // The EntryID of the new note RecordNew was given, for deleting it.
  std::string new_note_id_;
};

}  // namespace pinlet

#endif  // PINLET_NOTEWINDOW_NOTE_MODEL_H_
