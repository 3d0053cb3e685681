// clsReplyForward: a reply or forward that can take its note on demand.
//
// When the note is not inserted on its own, the reply's window gets an
// "Insert Note" button. Clicking it builds the replacement mail with the
// note (note_insertion.h), closes the reply without saving it and shows the
// replacement. A window edited in Word gets no button here: the Word
// editor's own buttons find this object through the reply/forward list
// (objInspector, objNote) and insert the note themselves.
#ifndef PINLET_INSPECTOR_CLS_REPLY_FORWARD_H_
#define PINLET_INSPECTOR_CLS_REPLY_FORWARD_H_

#include <memory>

#include "addin/context.h"
#include "explorer/cls_explorer.h"
#include "platform/addin_object.h"

namespace pinlet {

class clsReplyForward : public ReplyForwardObject,
                        public std::enable_shared_from_this<clsReplyForward> {
 public:
  explicit clsReplyForward(AddinContext& ctx) : ctx_(ctx) {}
  ~clsReplyForward() override;
  clsReplyForward(const clsReplyForward&) = delete;
  clsReplyForward& operator=(const clsReplyForward&) = delete;

  // Keeps the note and the mail, holds the mail's window with events and,
  // unless Word edits it, puts "Insert Note" on its "Standard" bar (the one
  // there already, or a new one). Reported as "clsReplyForward(Sub SetUp)".
  void SetUp(ol::ItemPtr note, ol::ItemPtr mail);

  ol::InspectorPtr objInspector() override { return objInspector_; }
  ol::ItemPtr objNote() override { return objNote_; }
  const ol::ItemPtr& objMail() const { return objMail_; }
  const office::CommandBarControlPtr& insert_button() const {
    return cmdInsertNote_.control;
  }

 private:
  void cmdInsertNote_Click(const office::CommandBarControlPtr& ctrl,
                           bool& cancel_default);
  // Releases the bar, the button, the window, the mail and the note; the
  // object stays in the reply/forward list.
  void objInspector_Close();

  AddinContext& ctx_;
  ol::ItemPtr objNote_;
  ol::ItemPtr objMail_;
  ol::InspectorPtr objInspector_;
  Subscription objInspector_events_;
  office::CommandBarPtr bar_;
  HeldControl cmdInsertNote_;
};

}  // namespace pinlet

#endif  // PINLET_INSPECTOR_CLS_REPLY_FORWARD_H_
