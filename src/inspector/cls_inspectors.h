// clsInspectors: the tracker of Outlook's item windows.
//
// Every item window that opens passes through fInspectors_NewInspector,
// which decides one of three things:
// - an item of the notes folder: the add-in's note window shows instead,
//   and the item is held in the slot of its class so that its Open is
//   cancelled and Outlook's own window never shows (an Outlook note item,
//   class 44, has no slot: both windows show);
// - the reply or forward that Outlook's Reply, Reply to All or Forward made
//   for an item with a note (the hand-over the explorer side set): its
//   window is wrapped and its Open inserts the note, on its own or after a
//   question, or puts the "Insert Note" button on the window;
// - any other item: a wrapper (clsInspector) with its note button, and the
//   item's note shown at once when the option "ItemOpen" is on and the
//   window was not opened by a note window for its parent.
#ifndef PINLET_INSPECTOR_CLS_INSPECTORS_H_
#define PINLET_INSPECTOR_CLS_INSPECTORS_H_

#include <array>
#include <memory>

#include "addin/context.h"
#include "inspector/cls_inspector.h"
#include "inspector/frm_warning_on_note_insertion.h"

namespace pinlet {

class clsInspectors {
 public:
  explicit clsInspectors(AddinContext& ctx) : ctx_(ctx), warning_(ctx) {}
  ~clsInspectors();
  clsInspectors(const clsInspectors&) = delete;
  clsInspectors& operator=(const clsInspectors&) = delete;

  // Holds Application.Inspectors with events (NewInspector). Raises when the
  // subscription fails.
  void SetInspectors(ol::InspectorsPtr inspectors);

  // The number the last wrapper got (the first gets 1).
  int window_count() const { return window_count_; }
  // The reply or forward whose Open is awaited; nullptr when none.
  const ol::ItemPtr& objMail() const { return objMail_.item; }

 private:
  struct HeldItem {
    ol::ItemPtr item;
    Subscription events;
    void Hold(ol::ItemPtr i, std::function<void(bool&)> on_open);
    void Release();
  };
  // The eight suppression slots, by class.
  enum Slot {
    kMailSlot,
    kPostSlot,
    kAppointmentSlot,
    kContactSlot,
    kDistListSlot,
    kTaskSlot,
    kJournalSlot,
    kDocumentSlot,
    kSlotCount
  };

  void fInspectors_NewInspector(const ol::InspectorPtr& inspector);
  // A new wrapper for `inspector`, numbered and listed.
  std::shared_ptr<clsInspector> Track(const ol::InspectorPtr& inspector,
                                      const ol::ItemPtr& item);
  void OpenNotesFolderItem(const ol::FolderPtr& folder, const ol::ItemPtr& item, int cls);
  void objOpeningNoteMail_Open(bool& cancel);
  void objMail_Open(bool& cancel);
  void SetReplyForwardObject();

  AddinContext& ctx_;
  frmWarningOnNoteInsertion warning_;
  ol::InspectorsPtr fInspectors_;
  Subscription fInspectors_events_;
  int window_count_ = 0;
  std::array<HeldItem, kSlotCount> slots_;
  HeldItem objMail_;
};

// The slot a notes-folder item of class `cls` is held in; -1 for a class
// without one (an Outlook note, or any other).
int SuppressionSlot(int cls);

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_CLS_INSPECTORS_H_
