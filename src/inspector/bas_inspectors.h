// basInspectors: the item-window side's module procedures.
//
// Start-up creates the inspector tracker and hands it Outlook's Inspectors.
// The note window reaches this side when its note is made or deleted: the
// parent's open item window turns its note button to "View Note" or back
// to "Add Note". The note button's look (caption, tool tip, faces) is
// shared by the item windows' buttons and the Word editor's.
#ifndef PINLET_INSPECTOR_BAS_INSPECTORS_H_
#define PINLET_INSPECTOR_BAS_INSPECTORS_H_

#include <string>

#include "addin/context.h"
#include "platform/command_bars.h"
#include "platform/picture.h"

namespace pinlet {

// The base of the Tag of the Word editor's "Add Note" button (ControlTag).
constexpr const char* kWordNoteButtonTag = "Pinlet";
// The first Outlook whose Word-edited mail windows take the item window's
// own note button; the Word editor gives "Add Note" to those of earlier
// versions only, so that a window never has two.
constexpr int kWordButtonsFromVersion = 12;

// The note button of an item with a note ("View Note", "View related note",
// "EDIT"/"EDIT_MASK") or without one ("Add Note", "Add new note",
// "ADD"/"ADD_MASK").
struct NoteButtonLook {
  std::string caption, tooltip;
  Picture face, mask;
};
NoteButtonLook NoteButtonLookOf(bool has_note);
// Gives `button` that look; each step continues past errors.
void ApplyNoteButtonLook(AddinContext& ctx, const office::CommandBarControlPtr& button,
                         bool has_note);

// Creates the tracker and holds `inspectors` with it. A failure is reported
// as "basInspectors(Sub CreateInspectorTracker)".
void CreateInspectorTracker(AddinContext& ctx, const ol::InspectorsPtr& inspectors);

// Every open item window of `parent` shows "View Note" (has_note) or "Add
// Note" on its note button: the tracked windows' own buttons, and the Word
// editor's button (tag "Pinlet") on a Word-edited window. Errors ignored.
void SetInspectorNoteButton(AddinContext& ctx, const ol::ItemPtr& parent, bool has_note);

// Installs the item windows as the core reaches them
// (Subsystems::Inspectors: the tracker, an item window's note button), and
// the Word editor.
void InstallInspectors(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_BAS_INSPECTORS_H_
