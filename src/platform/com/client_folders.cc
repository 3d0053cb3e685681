// Outlook's folders, their collections and views, as clients.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComFolder final : public ClientObject, public ol::Folder {
 public:
  explicit ComFolder(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Folder") {}

  int Class() override { return bound_.Long("Class"); }
  std::string Name() override { return bound_.Text("Name"); }
  void SetName(std::string_view name) override { bound_.Put("Name", Arg(name)); }
  std::string EntryID() override { return bound_.Text("EntryID"); }
  std::string StoreID() override { return bound_.Text("StoreID"); }
  std::string FolderPath() override { return bound_.Text("FolderPath"); }
  std::string Description() override { return bound_.Text("Description"); }
  void SetDescription(std::string_view text) override {
    bound_.Put("Description", Arg(text));
  }
  // A store's root answers its NameSpace as Parent: that is no folder, and
  // the platform's answer is Nothing. The kind is told by QueryInterface,
  // which calls no member.
  ol::FolderPtr Parent() override {
    ComPtr<IDispatch> parent = bound_.Object("Parent");
    if (!parent || !parent.As<IDispatch>(kIidOutlookFolder)) return nullptr;
    return ToPlatform<ol::Folder>(parent);
  }
  ol::FoldersPtr Folders() override { return ObjectAs<ol::Folders>(bound_, "Folders"); }
  ol::ItemsPtr Items() override { return ObjectAs<ol::Items>(bound_, "Items"); }
  ol::ViewsPtr Views() override { return ObjectAs<ol::Views>(bound_, "Views"); }
  ol::ViewPtr CurrentView() override { return ObjectAs<ol::View>(bound_, "CurrentView"); }
  bool CustomViewsOnly() override { return bound_.Bool("CustomViewsOnly"); }
  void SetCustomViewsOnly(bool value) override {
    bound_.Put("CustomViewsOnly", Arg(value));
  }
  void Delete() override { bound_.Call("Delete"); }
};

class ComFolders final : public ClientObject, public ol::Folders {
 public:
  explicit ComFolders(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Folders") {}
  int Count() override { return bound_.Long("Count"); }
  ol::FolderPtr Item(int index) override {
    return ObjectAs<ol::Folder>(bound_, "Item", {Arg(index)});
  }
  ol::FolderPtr Item(std::string_view name) override {
    return ObjectAs<ol::Folder>(bound_, "Item", {Arg(name)});
  }
  ol::FolderPtr Add(std::string_view name, int type) override {
    return ObjectAs<ol::Folder>(bound_, "Add", {Arg(name), Arg(type)});
  }
};

class ComView final : public ClientObject, public ol::View {
 public:
  explicit ComView(ComPtr<IDispatch> object) : ClientObject(std::move(object), "View") {}
  std::string Name() override { return bound_.Text("Name"); }
  int ViewType() override { return bound_.Long("ViewType"); }
  std::string XML() override { return bound_.Text("XML"); }
  void SetXML(std::string_view xml) override { bound_.Put("XML", Arg(xml)); }
  void Save() override { bound_.Call("Save"); }
};

class ComViews final : public ClientObject, public ol::Views {
 public:
  explicit ComViews(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Views") {}
  int Count() override { return bound_.Long("Count"); }
  ol::ViewPtr Item(int index) override {
    return ObjectAs<ol::View>(bound_, "Item", {Arg(index)});
  }
  ol::ViewPtr Item(std::string_view name) override {
    return ObjectAs<ol::View>(bound_, "Item", {Arg(name)});
  }
  ol::ViewPtr Add(std::string_view name, int view_type, int save_option) override {
    return ObjectAs<ol::View>(bound_, "Add",
                              {Arg(name), Arg(view_type), Arg(save_option)});
  }
  void Remove(int index) override { bound_.Call("Remove", {Arg(index)}); }
};

}  // namespace

template <>
std::shared_ptr<ol::Folder> MakeClient<ol::Folder>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComFolder>(object);
}

template <>
std::shared_ptr<ol::Folders> MakeClient<ol::Folders>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComFolders>(object);
}

template <>
std::shared_ptr<ol::View> MakeClient<ol::View>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComView>(object);
}

template <>
std::shared_ptr<ol::Views> MakeClient<ol::Views>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComViews>(object);
}

}  // namespace pinlet::com
