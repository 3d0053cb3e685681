// One host object of an item, and the changes it holds until its Save.
//
// As in Outlook, what is written to an item object (its subject, body and
// other members, user properties, attachments, recipients, MAPI properties
// written through the helper library) stays in that object until its Save
// succeeds: only then does the store hold it. A Save that fails leaves the
// stored item as it was and the changes still in the object, so a later
// Save of the same object can store them. Closing the item's window without
// saving drops them.
//
// Every handle the simulation hands out for an item fetched from the store
// (Items.Item, Items(subject), GetItemFromID, Selection.Item, a CDO
// message) is a new object that shows the stored item only; what an object
// hands out (its UserProperties, Attachments, Recipients, an item window's
// CurrentItem) shares that object. The store's nodes, the mailbox file and
// the failure sweeps see stored items only.
#ifndef PINLET_SIM_MACHINE_ITEM_OBJECT_H_
#define PINLET_SIM_MACHINE_ITEM_OBJECT_H_

#include <map>
#include <memory>

#include "platform/date.h"
#include "sim/machine/mail_store.h"

namespace pinlet::sim {

class ItemObject {
 public:
  // The parts of an item's content that a Save stores separately: a Save
  // writes the parts its object changed and leaves the others as stored.
  enum Part : unsigned {
    kSubject = 1,
    kMessageClass = 2,
    kUserProperties = 4,
    kMembers = 8,  // the bodies, flags, dates and other members
    kMapiProperties = 16,
    kAttachments = 32,
    kRecipients = 64,
    kAllParts = 127,
  };

  explicit ItemObject(std::shared_ptr<ItemNode> stored) : stored_(std::move(stored)) {}

  const std::shared_ptr<ItemNode>& stored() const { return stored_; }
  // What the object shows: its own changes over the stored item.
  const ItemContent& content() const { return draft_ ? *draft_ : *stored_; }
  // The content to change `parts` of; the first change copies the stored
  // content into the object.
  ItemContent& Edit(unsigned parts);
  // The object holds changes not stored yet.
  bool changed() const { return parts_ != 0; }

  // Save: the changed parts among `parts` go to the stored item, which gets
  // its EntryID on its first save and is filed in its folder. Changes of
  // other parts stay in the object.
  void Commit(MailStore& store, Date now, unsigned parts = kAllParts);
  // Drops the object's changes: it shows the stored item again.
  void Discard();

  // The object's own copy of a recipient of the stored item (the recipient
  // itself when the object has not changed its recipients).
  std::shared_ptr<RecipientNode> Current(const std::shared_ptr<RecipientNode>& recipient);

 private:
  std::shared_ptr<ItemNode> stored_;
  std::unique_ptr<ItemContent> draft_;
  unsigned parts_ = 0;
  // The recipients the object's changes copied, with their copies (held, so
  // that no other recipient takes their place).
  std::map<std::shared_ptr<RecipientNode>, std::shared_ptr<RecipientNode>> copies_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_ITEM_OBJECT_H_
