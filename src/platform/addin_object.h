// What the add-in publishes to other hosts, as a late-bound caller sees it.
//
// The Connect object that an Office host creates is published as the
// COMAddIns entry's Object. Code in another host (Word, acting as Outlook's
// e-mail editor) reaches the Outlook side through it: GetConnectors gives the
// connectors keyed by host name, and the "Outlook" connector shows a mail's
// note (PinletClick) and lists the reply/forward objects (GetReplyForms).
// Over COM every one of these is an IDispatch, called by member name; a
// member a connector does not offer raises error 438, as a late-bound call
// would.
#ifndef PINLET_PLATFORM_ADDIN_OBJECT_H_
#define PINLET_PLATFORM_ADDIN_OBJECT_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/outlook_app.h"

namespace pinlet {

// A reply or forward that received a note's "Insert Note" button: its
// window and the note to insert. Members raise like any host member.
class ReplyForwardObject {
 public:
  virtual ~ReplyForwardObject() = default;
  virtual ol::InspectorPtr objInspector() = 0;
  virtual ol::ItemPtr objNote() = 0;
};

using ReplyForms = std::vector<std::shared_ptr<ReplyForwardObject>>;

class AddInConnector {
 public:
  virtual ~AddInConnector() = default;
  // Whether the connector's own connection succeeded.
  virtual bool IsInitialized() = 0;
  // Shows or creates the note of a mail item (see the Outlook connector).
  // `window` and `spell_check_implementer` are accepted and not used;
  // `close_form` is not written.
  virtual void PinletClick(const std::string& caption, bool toolbar_click,
                           const ol::ItemPtr& mail, const std::shared_ptr<void>& window,
                           bool& close_form,
                           const std::shared_ptr<void>& spell_check_implementer) = 0;
  // The reply/forward objects; empty before connection and after shut-down.
  virtual ReplyForms GetReplyForms() = 0;
};

class AddInConnectors {
 public:
  virtual ~AddInConnectors() = default;
  virtual int Count() = 0;
  // 1-based, in the order the connectors were added; raises when out of range.
  virtual std::shared_ptr<AddInConnector> Item(int index) = 0;
  // The connector under a host name; raises when there is none.
  virtual std::shared_ptr<AddInConnector> Item(std::string_view key) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_ADDIN_OBJECT_H_
