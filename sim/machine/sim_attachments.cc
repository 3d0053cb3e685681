// Simulated attachments: real bytes, copied from and saved to the simulated
// file system, or links to a file there.
#include "platform/host_error.h"
#include "sim/machine/item_object.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {
namespace {

std::string_view NameOfPath(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

class SimAttachment : public ol::Attachment {
 public:
  SimAttachment(World* world, std::shared_ptr<ItemObject> owner, int index)
      : world_(world), owner_(std::move(owner)), index_(index) {}
  std::string FileName() override { return Node("Attachment.FileName").file_name; }
  std::string DisplayName() override {
    const AttachmentNode& node = Node("Attachment.DisplayName");
    return node.display_name.empty() ? node.file_name : node.display_name;
  }
  std::string PathName() override { return Node("Attachment.PathName").path_name; }
  int Type() override { return Node("Attachment.Type").type; }
  int Index() override {
    Node("Attachment.Index");
    return index_;
  }
  void SaveAsFile(std::string_view path) override {
    const AttachmentNode& node = Node("Attachment.SaveAsFile");
    std::optional<std::string> bytes = node.content;
    if (node.type == ol::kOlByReference) bytes = world_->files.Peek(node.path_name);
    if (!bytes)
      throw HostError(errors::kHostFileNotFound,
                      "Cannot save the attachment. Cannot find the linked file.",
                      "Attachment.SaveAsFile");
    // Outlook writes the file itself, as a program does: its folder must exist.
    FsError error = world_->files.Put(path, *bytes);
    if (error == FsError::kPathNotFound || error == FsError::kInvalidPath)
      throw HostError(errors::kHostPathNotFound,
                      "Cannot save the attachment. Path does not exist. Verify the path "
                      "is correct.",
                      "Attachment.SaveAsFile");
    if (error != FsError::kNone)
      throw HostError(errors::kOperationFailed, "Cannot save the attachment.",
                      "Attachment.SaveAsFile");
  }
  void Delete() override {
    Node("Attachment.Delete");
    auto& list = owner_->Edit(ItemObject::kAttachments).attachments;
    list.erase(list.begin() + (index_ - 1));
  }

 private:
  const AttachmentNode& Node(const char* member) {
    const ItemNode& item = *owner_->stored();
    world_->faults.Check(member, item.target());
    if (item.gone) throw ItemGoneError(member);
    const auto& list = owner_->content().attachments;
    if (index_ < 1 || index_ > static_cast<int>(list.size()))
      throw HostError(errors::kOperationFailed, "The attachment no longer exists.",
                      member);
    return list[index_ - 1];
  }
  World* world_;
  std::shared_ptr<ItemObject> owner_;
  int index_;
};

class SimAttachments : public ol::Attachments {
 public:
  SimAttachments(World* world, std::shared_ptr<ItemObject> owner)
      : world_(world), owner_(std::move(owner)) {}
  int Count() override {
    Enter("Attachments.Count");
    return static_cast<int>(owner_->content().attachments.size());
  }
  ol::AttachmentPtr Item(int index) override {
    Enter("Attachments.Item");
    if (index < 1 || index > static_cast<int>(owner_->content().attachments.size()))
      throw IndexError("Attachments.Item");
    return std::make_shared<SimAttachment>(world_, owner_, index);
  }
  ol::AttachmentPtr Add(std::string_view path, int type,
                        std::string_view display_name) override {
    Enter("Attachments.Add");
    if (type != ol::kOlByValue && type != ol::kOlByReference)
      throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                      "Attachments.Add");
    auto content = world_->files.Peek(path);
    if (!content)
      throw HostError(errors::kHostFileNotFound,
                      "Cannot find this file. Verify the path and file name are correct.",
                      "Attachments.Add");
    AttachmentNode node{std::string(NameOfPath(path)), "", std::string(display_name), "",
                        type};
    if (type == ol::kOlByReference)
      node.path_name = std::string(path);
    else
      node.content = std::move(*content);
    auto& list = owner_->Edit(ItemObject::kAttachments).attachments;
    list.push_back(std::move(node));
    return std::make_shared<SimAttachment>(world_, owner_, static_cast<int>(list.size()));
  }
  void Remove(int index) override {
    Enter("Attachments.Remove");
    if (index < 1 || index > static_cast<int>(owner_->content().attachments.size()))
      throw IndexError("Attachments.Remove");
    auto& list = owner_->Edit(ItemObject::kAttachments).attachments;
    list.erase(list.begin() + (index - 1));
  }

 private:
  void Enter(const char* member) {
    const ItemNode& item = *owner_->stored();
    world_->faults.Check(member, item.target());
    if (item.gone) throw ItemGoneError(member);
  }
  World* world_;
  std::shared_ptr<ItemObject> owner_;
};

}  // namespace

ol::AttachmentsPtr WrapAttachments(World* world, std::shared_ptr<ItemObject> owner) {
  return std::make_shared<SimAttachments>(world, std::move(owner));
}

}  // namespace pinlet::sim
