// Outlook's application, its namespace and its window collections, as
// clients.
#include "platform/com/client_host.h"
#include "platform/com/com_event_ids.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComOutlook final : public HostApplicationClient<ol::Application> {
 public:
  using HostApplicationClient::HostApplicationClient;
  ol::ExplorersPtr Explorers() override {
    return ObjectAs<ol::Explorers>(bound_, "Explorers");
  }
  ol::InspectorsPtr Inspectors() override {
    return ObjectAs<ol::Inspectors>(bound_, "Inspectors");
  }
  ol::ExplorerPtr ActiveExplorer() override {
    return ObjectAs<ol::Explorer>(bound_, "ActiveExplorer");
  }
  ol::InspectorPtr ActiveInspector() override {
    return ObjectAs<ol::Inspector>(bound_, "ActiveInspector");
  }
  ol::NameSpacePtr GetNameSpace(std::string_view type) override {
    return ObjectAs<ol::NameSpace>(bound_, "GetNameSpace", {Arg(type)});
  }
};

class ComNameSpace final : public ClientObject, public ol::NameSpace {
 public:
  explicit ComNameSpace(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "NameSpace") {}
  ol::FolderPtr GetDefaultFolder(int folder) override {
    return ObjectAs<ol::Folder>(bound_, "GetDefaultFolder", {Arg(folder)});
  }
  ol::FoldersPtr Folders() override { return ObjectAs<ol::Folders>(bound_, "Folders"); }
  ol::FolderPtr GetFolderFromID(std::string_view entry_id,
                                std::string_view store_id) override {
    return ObjectAs<ol::Folder>(bound_, "GetFolderFromID",
                                {Arg(entry_id), TextOrMissing(store_id)});
  }
  ol::ItemPtr GetItemFromID(std::string_view entry_id,
                            std::string_view store_id) override {
    return ObjectAs<ol::Item>(bound_, "GetItemFromID",
                              {Arg(entry_id), TextOrMissing(store_id)});
  }
  std::string CurrentProfileName() override { return bound_.Text("CurrentProfileName"); }
};

class ComSelection final : public ClientObject, public ol::Selection {
 public:
  explicit ComSelection(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Selection") {}
  int Count() override { return bound_.Long("Count"); }
  ol::ItemPtr Item(int index) override {
    return ObjectAs<ol::Item>(bound_, "Item", {Arg(index)});
  }
};

class ComExplorers final : public ClientObject, public ol::Explorers {
 public:
  explicit ComExplorers(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Explorers") {}
  int Count() override { return bound_.Long("Count"); }
  ol::ExplorerPtr Item(int index) override {
    return ObjectAs<ol::Explorer>(bound_, "Item", {Arg(index)});
  }
  Subscription OnNewExplorer(std::function<void(ol::ExplorerPtr)> handler) override {
    return HubOf(events_, bound_.object(), kDiidExplorersEvents, "Explorers events")
        ->Subscribe(kDispNewExplorer,
                    [handler = std::move(handler)](const DispArgs& args) {
                      handler(ToPlatform<ol::Explorer>(args.Object(0)));
                    });
  }

 private:
  std::weak_ptr<EventHub> events_;
};

class ComInspectors final : public ClientObject, public ol::Inspectors {
 public:
  explicit ComInspectors(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Inspectors") {}
  int Count() override { return bound_.Long("Count"); }
  ol::InspectorPtr Item(int index) override {
    return ObjectAs<ol::Inspector>(bound_, "Item", {Arg(index)});
  }
  Subscription OnNewInspector(std::function<void(ol::InspectorPtr)> handler) override {
    return HubOf(events_, bound_.object(), kDiidInspectorsEvents, "Inspectors events")
        ->Subscribe(kDispNewInspector,
                    [handler = std::move(handler)](const DispArgs& args) {
                      handler(ToPlatform<ol::Inspector>(args.Object(0)));
                    });
  }

 private:
  std::weak_ptr<EventHub> events_;
};

}  // namespace

template <>
std::shared_ptr<ol::Application> MakeClient<ol::Application>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComOutlook>(object);
}

template <>
std::shared_ptr<ol::NameSpace> MakeClient<ol::NameSpace>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComNameSpace>(object);
}

template <>
std::shared_ptr<ol::Selection> MakeClient<ol::Selection>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComSelection>(object);
}

template <>
std::shared_ptr<ol::Explorers> MakeClient<ol::Explorers>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComExplorers>(object);
}

template <>
std::shared_ptr<ol::Inspectors> MakeClient<ol::Inspectors>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComInspectors>(object);
}

}  // namespace pinlet::com
