// clsInspector: the wrapper of one Outlook item window.
//
// A wrapper holds its Inspector with events from the window's NewInspector
// until its Close, and owns the note button it puts on the window's
// "Standard" bar: "Add Note" for an item without a note, "View Note" for one
// with a note. Word-edited mail windows of Outlook 2002/2003 get no button
// here (the Word editor's connector serves them), and no window gets one
// while the active explorer shows Deleted Items. Its members live in two
// files: tracking and lifetime (inspector_tracking.cc), the button and its
// click (inspector_button.cc).
#ifndef PINLET_INSPECTOR_CLS_INSPECTOR_H_
#define PINLET_INSPECTOR_CLS_INSPECTOR_H_

#include <memory>
#include <string>

#include "addin/context.h"
#include "explorer/cls_explorer.h"

namespace pinlet {

class clsInspector : public std::enable_shared_from_this<clsInspector> {
 public:
  explicit clsInspector(AddinContext& ctx) : ctx_(ctx) {}
  ~clsInspector();
  clsInspector(const clsInspector&) = delete;
  clsInspector& operator=(const clsInspector&) = delete;

  // Holds the window with events (Close); raises when the subscription fails.
  void SetInspector(ol::InspectorPtr inspector);
  void SetItem(ol::ItemPtr item) { item_ = std::move(item); }
  void SetNoteItem(ol::ItemPtr note) { note_ = std::move(note); }
  void SetID(int id) { id_ = id; }
  int GetID() const { return id_; }

  // Puts the note button captioned `caption` ("Add Note" or "View Note") on
  // the window's "Standard" bar, first removing any such button there.
  // Reported as "clsInspector(Sub AddNoteButton)".
  void AddNoteButton(const std::string& caption);
  // Turns the button to "View Note" (has_note) or back to "Add Note": its
  // caption, tool tip and faces. Nothing happens without a button. Each
  // step continues past errors.
  void SetNoteButton(bool has_note);

  const ol::InspectorPtr& inspector() const { return fInspector_; }
  const ol::ItemPtr& item() const { return item_; }
  const ol::ItemPtr& note_item() const { return note_; }
  const office::CommandBarControlPtr& note_button() const {
    return cmdNoteButton_.control;
  }

 private:
  void cmdNoteButton_Click(const office::CommandBarControlPtr& ctrl,
                           bool& cancel_default);
  void fInspector_Close();

  AddinContext& ctx_;
  ol::InspectorPtr fInspector_;
  Subscription fInspector_events_;
  int id_ = 0;
  office::CommandBarPtr bar_;
  HeldControl cmdNoteButton_;
  ol::ItemPtr note_;
  ol::ItemPtr item_;
};

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_CLS_INSPECTOR_H_
