// The MAPI helper libraries the add-in creates by ProgID.
//
// "Redemption.MAPIUtils" reads and writes single MAPI properties (the flag
// properties of items that have no flag members), "Redemption.RDOSession"
// opens folders on Outlook's own session, "Redemption.SafeMailItem" reads
// what Outlook's security prompt guards (sender, recipients) and what its
// object model lacks before Outlook 12 (the RTF body), and CDO's
// "MAPI.Session" reaches the fields of document items, which keep no user
// properties through the object model. Each member may raise a HostError.
// The factory also creates VBScript's regular expression object (regexp.h)
// and the sharing product's object (sharing.h).
#ifndef PINLET_PLATFORM_MAPI_HELPERS_H_
#define PINLET_PLATFORM_MAPI_HELPERS_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/outlook_items.h"
#include "platform/regexp.h"
#include "platform/variant.h"

namespace pinlet {

class SharingProduct;

constexpr uint32_t kPrFlagStatus = 0x10900003;
constexpr uint32_t kPrFlagIcon = 0x10950003;

class MapiUtils {
 public:
  virtual ~MapiUtils() = default;
  virtual Variant HrGetOneProp(const ol::ItemPtr& item, uint32_t prop_tag) = 0;
  virtual void HrSetOneProp(const ol::ItemPtr& item, uint32_t prop_tag,
                            const Variant& value, bool save) = 0;
};

class CdoField {
 public:
  virtual ~CdoField() = default;
  virtual std::string Name() = 0;
  virtual Variant Value() = 0;
  virtual void SetValue(const Variant& value) = 0;
  // Removes the field from its message (written at the next Update).
  virtual void Delete() = 0;
};

class CdoFields {
 public:
  virtual ~CdoFields() = default;
  virtual int Count() = 0;
  // The field of that name; raises when the message has none.
  virtual std::shared_ptr<CdoField> Item(std::string_view name) = 0;
  // Adds a field of a CDO type (8 = string) with its value.
  virtual std::shared_ptr<CdoField> Add(std::string_view name, int type,
                                        const Variant& value) = 0;
};

class CdoMessage {
 public:
  virtual ~CdoMessage() = default;
  virtual std::shared_ptr<CdoFields> Fields() = 0;
  // Writes the changed fields to the store.
  virtual void Update() = 0;
};

class CdoSession {
 public:
  virtual ~CdoSession() = default;
  // Logs on; with new_session false it shares the running Outlook session.
  virtual void Logon(bool show_dialog, bool new_session) = 0;
  virtual std::shared_ptr<CdoMessage> GetMessage(std::string_view entry_id,
                                                 std::string_view store_id) = 0;
};

class RdoSession {
 public:
  virtual ~RdoSession() = default;
  // Attaches to Outlook's own MAPI session.
  virtual void AttachToOutlook() = 0;
  // Logs on to the current profile; with new_session false it shares the
  // running Outlook session.
  virtual void Logon(bool show_dialog, bool new_session) = 0;
  virtual ol::FolderPtr GetFolderFromID(std::string_view entry_id) = 0;
  // The name of the profile logged on to; raises when the session is
  // neither logged on nor attached.
  virtual std::string ProfileName() = 0;
};

// A wrapper around one Outlook item. Every member but SetItem raises when no
// item was set; the item's class need not be mail (a post has a sender too),
// but members the item's class lacks raise 438 as on the item itself.
class SafeMailItem {
 public:
  virtual ~SafeMailItem() = default;
  // The wrapped item ("Item" set); raises 13 for an object that is not an
  // Outlook item.
  virtual void SetItem(const ol::ItemPtr& item) = 0;
  virtual ol::ItemPtr Item() = 0;
  virtual std::string Subject() = 0;
  virtual std::string SenderName() = 0;
  virtual std::string SentOnBehalfOfName() = 0;
  virtual Date SentOn() = 0;
  // The recipients ("SafeRecipients"), with the members of ol::Recipients.
  virtual ol::RecipientsPtr Recipients() = 0;
  // The plain text of the body.
  virtual std::string Body() = 0;
  // The body as RTF; "" for a mail whose body is not rich text.
  virtual std::string RTFBody() = 0;
};

class ComObjectFactory {
 public:
  virtual ~ComObjectFactory() = default;
  // Each raises HostError 429 when the library is not installed.
  virtual std::shared_ptr<MapiUtils> CreateMapiUtils() = 0;    // "Redemption.MAPIUtils"
  virtual std::shared_ptr<CdoSession> CreateCdoSession() = 0;  // "MAPI.Session"
  virtual std::shared_ptr<RdoSession> CreateRdoSession() = 0;  // "Redemption.RDOSession"
  virtual std::shared_ptr<SafeMailItem>
  CreateSafeMailItem() = 0;              // "Redemption.SafeMailItem"
  virtual RegExpPtr CreateRegExp() = 0;  // "VBScript.RegExp"
  // The sharing product's object; 429 when the product is not installed.
  virtual std::shared_ptr<SharingProduct>
  CreateSharingProduct() = 0;  // "Relaybook.Engine"
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_MAPI_HELPERS_H_
