#include "sim/machine/item_object.h"

namespace pinlet::sim {

ItemContent& ItemObject::Edit(unsigned parts) {
  if (!draft_) {
    draft_ = std::make_unique<ItemContent>(static_cast<const ItemContent&>(*stored_));
    // Recipients are objects of their own: the draft changes its copies.
    for (auto& recipient : draft_->recipients) {
      auto copy = std::make_shared<RecipientNode>(*recipient);
      copies_[recipient] = copy;
      recipient = std::move(copy);
    }
  }
  parts_ |= parts;
  return *draft_;
}

void ItemObject::Commit(MailStore& store, Date now, unsigned parts) {
  unsigned storing = parts_ & parts;
  if (draft_) {
    ItemContent& from = *draft_;
    ItemNode& to = *stored_;
    if (storing & kSubject) {
      std::string old = to.subject;
      to.subject = from.subject;
      store.Reindex(to, old);
    }
    if (storing & kMessageClass) {
      to.message_class = from.message_class;
      to.cls = from.cls;
    }
    if (storing & kUserProperties) {
      store.UnindexFields(to);
      to.user_props = from.user_props;
      store.IndexFields(to);
    }
    if (storing & kMembers) to.members = from.members;
    if (storing & kMapiProperties) to.mapi_props = from.mapi_props;
    if (storing & kAttachments) to.attachments = from.attachments;
    if (storing & kRecipients) to.recipients = from.recipients;
  }
  store.SaveItem(stored_, now);
  parts_ &= ~storing;
  if (parts_ == 0) draft_.reset();
}

void ItemObject::Discard() {
  draft_.reset();
  parts_ = 0;
}

std::shared_ptr<RecipientNode> ItemObject::Current(
    const std::shared_ptr<RecipientNode>& recipient) {
  std::shared_ptr<RecipientNode> current = recipient;
  for (auto it = copies_.find(current); it != copies_.end(); it = copies_.find(current))
    current = it->second;
  return current;
}

}  // namespace pinlet::sim
