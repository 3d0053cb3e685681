// Simulated folders, their item collections and their views.
#include <algorithm>

#include "platform/host_error.h"
#include "sim/machine/jet_filter.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {
namespace {

// The view XML with its <viewname> replaced by `name`.
std::string RenamedViewXml(std::string xml, std::string_view name) {
  size_t open = xml.find("<viewname>");
  size_t close = open == std::string::npos ? open : xml.find("</viewname>", open);
  if (close == std::string::npos) return xml;
  xml.replace(open + 10, close - open - 10, name);
  return xml;
}

class SimView : public ol::View {
 public:
  SimView(World* world, FolderNode* folder, std::string name)
      : world_(world), folder_(folder), name_(std::move(name)) {}
  std::string Name() override { return Node("View.Name").name; }
  int ViewType() override { return Node("View.ViewType").type; }
  std::string XML() override { return Node("View.XML").xml; }
  void SetXML(std::string_view xml) override { Node("View.XML").xml = std::string(xml); }
  void Save() override { Node("View.Save"); }

 private:
  ViewNode& Node(const char* member) {
    world_->faults.Check(member, folder_->entry_id);
    ViewNode* view = folder_->FindView(name_);
    if (!view)
      throw HostError(errors::kOperationFailed, "The view has been deleted.", member);
    return *view;
  }
  World* world_;
  FolderNode* folder_;
  std::string name_;
};

class SimViews : public ol::Views {
 public:
  SimViews(World* world, FolderNode* folder) : world_(world), folder_(folder) {}
  int Count() override {
    world_->faults.Check("Views.Count", folder_->entry_id);
    return static_cast<int>(folder_->views.size());
  }
  ol::ViewPtr Item(int index) override {
    world_->faults.Check("Views.Item", folder_->entry_id);
    if (index < 1 || index > static_cast<int>(folder_->views.size()))
      throw IndexError("Views.Item");
    return std::make_shared<SimView>(world_, folder_, folder_->views[index - 1].name);
  }
  ol::ViewPtr Item(std::string_view name) override {
    world_->faults.Check("Views.Item", folder_->entry_id);
    if (!folder_->FindView(name)) throw NotFoundError("Views.Item");
    return std::make_shared<SimView>(world_, folder_, std::string(name));
  }
  ol::ViewPtr Add(std::string_view name, int view_type, int save_option) override {
    world_->faults.Check("Views.Add", folder_->entry_id);
    if (name.empty() || folder_->FindView(name))
      throw HostError(errors::kOperationFailed, "A view with this name already exists.",
                      "Views.Add");
    // A new view starts as a copy of the current view when that is of the
    // same type, as the host's "copy current view" does.
    std::string xml = NewViewXml(folder_->kind, name, view_type);
    ViewNode* current = folder_->FindView(folder_->current_view);
    if (current && current->type == view_type) xml = RenamedViewXml(current->xml, name);
    folder_->views.push_back({std::string(name), view_type, xml, save_option});
    return std::make_shared<SimView>(world_, folder_, std::string(name));
  }
  void Remove(int index) override {
    world_->faults.Check("Views.Remove", folder_->entry_id);
    if (index < 1 || index > static_cast<int>(folder_->views.size()))
      throw IndexError("Views.Remove");
    folder_->views.erase(folder_->views.begin() + (index - 1));
  }

 private:
  World* world_;
  FolderNode* folder_;
};

class SimItems : public ol::Items {
 public:
  SimItems(World* world, FolderNode* folder) : world_(world), folder_(folder) {}
  int Count() override {
    world_->faults.Check("Items.Count", folder_->entry_id);
    return static_cast<int>(folder_->items.size());
  }
  ol::ItemPtr Item(int index) override {
    world_->faults.Check("Items.Item", folder_->entry_id);
    if (index < 1 || index > static_cast<int>(folder_->items.size()))
      throw IndexError("Items.Item");
    return WrapItem(world_, folder_->items[index - 1]);
  }
  ol::ItemPtr Item(std::string_view subject) override {
    world_->faults.Check("Items.Item", folder_->entry_id);
    ItemNode* node = world_->store.FindBySubject(*folder_, subject);
    if (!node) throw NotFoundError("Items.Item");
    return WrapItem(world_, world_->store.SharedItem(node));
  }
  ol::ItemPtr Find(std::string_view filter) override {
    world_->faults.Check("Items.Find", folder_->entry_id);
    std::optional<JetEquality> condition = ParseJetEquality(filter);
    auto refuse = [&](const std::string& why) {
      return HostError(errors::kOperationFailed, why, "Items.Find");
    };
    if (!condition) throw refuse("Cannot parse condition.");
    if (RefusedByFind(condition->field))
      throw refuse("The property \"" + condition->field +
                   "\" in the condition is not valid.");
    ItemNode* node = nullptr;
    if (FoldCase(condition->field) == "subject") {
      node = world_->store.FindBySubject(*folder_, condition->value);
    } else {
      // A user-defined field is searched only where the folder defines it.
      std::string folded = FoldCase(condition->field);
      bool defined =
          std::any_of(folder_->user_fields.begin(), folder_->user_fields.end(),
                      [&](const std::string& f) { return FoldCase(f) == folded; });
      if (!defined)
        throw refuse("The property \"" + condition->field +
                     "\" in the condition is not valid.");
      node = world_->store.FindByField(*folder_, condition->field, condition->value);
    }
    return node ? WrapItem(world_, world_->store.SharedItem(node)) : nullptr;
  }
  ol::ItemPtr Add(int item_type) override {
    world_->faults.Check("Items.Add", folder_->entry_id);
    std::string message_class = MessageClassForItemType(item_type);
    if (message_class.empty())
      throw HostError(errors::kInvalidArgument, "Invalid item type.", "Items.Add");
    return WrapItem(world_, world_->store.NewItem(*folder_, message_class));
  }
  ol::ItemPtr Add(std::string_view message_class) override {
    world_->faults.Check("Items.Add", folder_->entry_id);
    if (message_class.empty())
      throw HostError(errors::kInvalidArgument, "Invalid message class.", "Items.Add");
    return WrapItem(world_, world_->store.NewItem(*folder_, message_class));
  }

 private:
  World* world_;
  FolderNode* folder_;
};

// The subfolders of a folder, or (with a null folder) the stores' root folders.
class SimFolders : public ol::Folders {
 public:
  SimFolders(World* world, FolderNode* folder) : world_(world), folder_(folder) {}
  int Count() override {
    world_->faults.Check("Folders.Count", folder_ ? folder_->entry_id : "");
    return static_cast<int>(List().size());
  }
  ol::FolderPtr Item(int index) override {
    world_->faults.Check("Folders.Item", folder_ ? folder_->entry_id : "");
    auto list = List();
    if (index < 1 || index > static_cast<int>(list.size()))
      throw IndexError("Folders.Item");
    return WrapFolder(world_, list[index - 1]);
  }
  ol::FolderPtr Item(std::string_view name) override {
    world_->faults.Check("Folders.Item", folder_ ? folder_->entry_id : "");
    std::string folded = FoldCase(name);
    for (FolderNode* f : List())
      if (FoldCase(f->name) == folded) return WrapFolder(world_, f);
    throw NotFoundError("Folders.Item");
  }
  ol::FolderPtr Add(std::string_view name, int type) override {
    world_->faults.Check("Folders.Add", folder_ ? folder_->entry_id : "");
    if (!folder_) throw NotSupportedError("Folders.Add");
    if (name.empty() || folder_->Child(name))
      throw HostError(errors::kOperationFailed,
                      "Cannot create the folder. A folder with this name already exists.",
                      "Folders.Add");
    return WrapFolder(world_,
                      &world_->store.AddFolder(*folder_, std::string(name), type));
  }

 private:
  std::vector<FolderNode*> List() {
    std::vector<FolderNode*> list;
    if (folder_) {
      for (auto& child : folder_->children) list.push_back(child.get());
    } else {
      for (auto& store : world_->store.stores()) list.push_back(store->root.get());
    }
    return list;
  }
  World* world_;
  FolderNode* folder_;
};

class SimFolder : public ol::Folder {
 public:
  SimFolder(World* world, FolderNode* node) : world_(world), node_(node) {}
  int Class() override {
    Enter("Folder.Class");
    return 2;
  }
  std::string Name() override { return Enter("Folder.Name").name; }
  void SetName(std::string_view name) override {
    FolderNode& node = Enter("Folder.Name");
    if (name.empty()) throw HostError(errors::kInvalidArgument, "Invalid folder name.");
    if (node.parent && node.parent->Child(name) && node.parent->Child(name) != &node)
      throw HostError(errors::kOperationFailed,
                      "A folder with this name already exists.");
    node.name = std::string(name);
  }
  std::string EntryID() override { return Enter("Folder.EntryID").entry_id; }
  std::string StoreID() override { return Enter("Folder.StoreID").store->store_id; }
  std::string FolderPath() override { return Enter("Folder.FolderPath").Path(); }
  std::string Description() override { return Enter("Folder.Description").description; }
  void SetDescription(std::string_view text) override {
    Enter("Folder.Description").description = std::string(text);
  }
  ol::FolderPtr Parent() override {
    return WrapFolder(world_, Enter("Folder.Parent").parent);
  }
  ol::FoldersPtr Folders() override {
    return std::make_shared<SimFolders>(world_, &Enter("Folder.Folders"));
  }
  ol::ItemsPtr Items() override {
    return std::make_shared<SimItems>(world_, &Enter("Folder.Items"));
  }
  ol::ViewsPtr Views() override {
    return std::make_shared<SimViews>(world_, &Enter("Folder.Views"));
  }
  ol::ViewPtr CurrentView() override {
    FolderNode& node = Enter("Folder.CurrentView");
    if (!node.FindView(node.current_view)) {
      if (node.views.empty()) return nullptr;
      node.current_view = node.views.front().name;
    }
    return std::make_shared<SimView>(world_, &node, node.current_view);
  }
  bool CustomViewsOnly() override {
    return Enter("Folder.CustomViewsOnly").custom_views_only;
  }
  void SetCustomViewsOnly(bool value) override {
    Enter("Folder.CustomViewsOnly").custom_views_only = value;
  }
  void Delete() override {
    FolderNode& node = Enter("Folder.Delete");
    if (!node.parent)
      throw HostError(errors::kOperationFailed, "Cannot delete this folder.");
    FolderNode* deleted =
        node.store->defaults.count(3) ? node.store->defaults[3] : nullptr;
    auto& siblings = node.parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& p) { return p.get() == &node; });
    std::shared_ptr<FolderNode> keep = *it;
    siblings.erase(it);
    if (deleted && !IsInside(deleted, &node) && !IsInside(&node, deleted)) {
      node.parent = deleted;
      deleted->children.push_back(keep);
    } else {
      world_->store.ForgetFolder(node);
      world_->store.graveyard.push_back(keep);
    }
  }

  FolderNode* node() const { return node_; }

 private:
  static bool IsInside(FolderNode* folder, FolderNode* candidate) {
    for (FolderNode* f = candidate; f; f = f->parent)
      if (f == folder) return true;
    return false;
  }
  FolderNode& Enter(const char* member) {
    world_->faults.Check(member, node_->entry_id);
    if (world_->store.IsForgotten(*node_))
      throw HostError(errors::kObjectDeleted, "The folder has been moved or deleted.",
                      member);
    return *node_;
  }
  World* world_;
  FolderNode* node_;
};

}  // namespace

ol::FolderPtr WrapFolder(World* world, FolderNode* node) {
  if (!node) return nullptr;
  return std::make_shared<SimFolder>(world, node);
}

FolderNode* NodeOf(const ol::FolderPtr& folder) {
  auto sim = std::dynamic_pointer_cast<SimFolder>(folder);
  return sim ? sim->node() : nullptr;
}

ol::FoldersPtr WrapStoreRoots(World* world) {
  return std::make_shared<SimFolders>(world, nullptr);
}

}  // namespace pinlet::sim
