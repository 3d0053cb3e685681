// Word's application, windows, documents and mail envelopes as clients.
#include "platform/com/client_host.h"
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

namespace pinlet::com {
namespace {

class ComWord final : public HostApplicationClient<word::Application> {
 public:
  using HostApplicationClient::HostApplicationClient;
  // Application.Windows.Count: the collection itself is no call of the
  // window count's.
  int WindowsCount() override {
    return LateBound(bound_.Object("Windows"), "Windows").Long("Count");
  }
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }
  word::CustomizationContextPtr GetCustomizationContext() override {
    return ObjectAs<word::CustomizationContext>(bound_, "CustomizationContext");
  }
  void SetCustomizationContext(const word::CustomizationContextPtr& context) override {
    PutObject(bound_, "CustomizationContext", ToDispatch(context));
  }
  Subscription OnWindowActivate(WindowActivateHandler handler) override {
    return HubOf(events_, bound_.object(), kDiidWordApplicationEvents3,
                 "Application events")
        ->Subscribe(kDispWindowActivate,
                    [handler = std::move(handler)](const DispArgs& args) {
                      handler(ToPlatform<word::Document>(args.Object(0)),
                              ToPlatform<word::Window>(args.Object(1)));
                    });
  }

 private:
  std::weak_ptr<EventHub> events_;
};

class ComWordWindow final : public ClientObject, public word::Window {
 public:
  explicit ComWordWindow(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Window") {}
  std::string Caption() override { return bound_.Text("Caption"); }
  word::DocumentPtr Document() override {
    return ObjectAs<word::Document>(bound_, "Document");
  }
};

// A template (or a document) as the customization context.
class ComCustomizationContext final : public ClientObject,
                                      public word::CustomizationContext {
 public:
  explicit ComCustomizationContext(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Template") {}
  std::string Name() override { return bound_.Text("Name"); }
};

class ComDocument final : public ClientObject, public word::Document {
 public:
  explicit ComDocument(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Document") {}
  std::string Name() override { return bound_.Text("Name"); }
  std::shared_ptr<word::MailEnvelope> MailEnvelope() override {
    return ObjectAs<word::MailEnvelope>(bound_, "MailEnvelope");
  }
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }
};

class ComMailEnvelope final : public ClientObject, public word::MailEnvelope {
 public:
  explicit ComMailEnvelope(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "MailEnvelope") {}
  ol::ItemPtr Item() override { return ObjectAs<ol::Item>(bound_, "Item"); }
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }
};

}  // namespace

template <>
std::shared_ptr<word::Application> MakeClient<word::Application>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComWord>(object);
}

template <>
std::shared_ptr<word::Window> MakeClient<word::Window>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComWordWindow>(object);
}

template <>
std::shared_ptr<word::CustomizationContext> MakeClient<word::CustomizationContext>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCustomizationContext>(object);
}

template <>
std::shared_ptr<word::Document> MakeClient<word::Document>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComDocument>(object);
}

template <>
std::shared_ptr<word::MailEnvelope> MakeClient<word::MailEnvelope>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComMailEnvelope>(object);
}

}  // namespace pinlet::com
