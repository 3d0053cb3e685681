// Word's application, windows, documents and mail envelopes served by
// member name. The application and its windows answer Word's own IIDs.
#include "platform/com/client_host.h"
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

namespace pinlet::com {
namespace {

// Application.Windows: only its Count, which is the application's one call
// of WindowsCount. It holds the served application while it lives.
struct WordWindows {
  ComPtr<IDispatch> served_app;
  word::Application* app = nullptr;
};

const ServedType<WordWindows>& WindowsType() {
  static const ServedType<WordWindows> type = [] {
    ServedType<WordWindows> t("WordWindows");
    t.Get("Count",
          [](WordWindows& w, ServedCall& c) { c.Return(w.app->WindowsCount()); });
    return t;
  }();
  return type;
}

const ServedType<word::Application>& WordType() {
  using App = word::Application;
  static const ServedType<App> type = [] {
    ServedType<App> t("WordApplication");
    AddHostMembers(t)
        .Get("Windows",
             [](App& app, ServedCall& c) {
               auto windows = std::make_shared<WordWindows>();
               windows->served_app = ComPtr<IDispatch>(
                   static_cast<IDispatch*>(ServedRegistry<App>().at(&app)));
               windows->app = &app;
               c.Return(Serve(windows, WindowsType()));
             })
        .Get("CommandBars",
             [](App& app, ServedCall& c) { ReturnObject(c, app.CommandBars()); })
        .Property(
            "CustomizationContext",
            [](App& app, ServedCall& c) {
              ReturnObject(c, app.GetCustomizationContext());
            },
            [](App& app, ServedCall& c) {
              app.SetCustomizationContext(
                  ArgumentOf<word::CustomizationContext>(c.PutObject()));
            })
        .Answers(kIidWordApplication)
        .AlsoAs<HostApplication>()
        .Events(kDiidWordApplicationEvents3, [](App& app, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(app.OnWindowActivate(
              [&fire](word::DocumentPtr doc, word::WindowPtr window) {
                fire.Fire(kDispWindowActivate, {ObjectVariant(ToDispatch(doc).get()),
                                                ObjectVariant(ToDispatch(window).get())});
              }));
          return subs;
        });
    return t;
  }();
  return type;
}

const ServedType<word::Window>& WordWindowType() {
  using Window = word::Window;
  static const ServedType<Window> type = [] {
    ServedType<Window> t("WordWindow");
    t.Get("Caption", [](Window& w, ServedCall& c) { c.Return(w.Caption()); })
        .Get("Document", [](Window& w, ServedCall& c) { ReturnObject(c, w.Document()); })
        .Answers(kIidWordWindow);
    return t;
  }();
  return type;
}

const ServedType<word::Document>& DocumentType() {
  using Document = word::Document;
  static const ServedType<Document> type = [] {
    ServedType<Document> t("Document");
    t.Get("Name", [](Document& d, ServedCall& c) { c.Return(d.Name()); })
        .Get("MailEnvelope",
             [](Document& d, ServedCall& c) { ReturnObject(c, d.MailEnvelope()); })
        .Get("CommandBars",
             [](Document& d, ServedCall& c) { ReturnObject(c, d.CommandBars()); })
        .AlsoAs<word::CustomizationContext>();
    return t;
  }();
  return type;
}

const ServedType<word::MailEnvelope>& EnvelopeType() {
  using Envelope = word::MailEnvelope;
  static const ServedType<Envelope> type = [] {
    ServedType<Envelope> t("MailEnvelope");
    t.Get("Item", [](Envelope& e, ServedCall& c) { ReturnObject(c, e.Item()); })
        .Get("CommandBars",
             [](Envelope& e, ServedCall& c) { ReturnObject(c, e.CommandBars()); });
    return t;
  }();
  return type;
}

// A template: its Name.
const ServedType<word::CustomizationContext>& TemplateType() {
  using Context = word::CustomizationContext;
  static const ServedType<Context> type = [] {
    ServedType<Context> t("Template");
    t.Get("Name", [](Context& context, ServedCall& c) { c.Return(context.Name()); });
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<word::Application>(
    const std::shared_ptr<word::Application>& object) {
  return Serve(object, WordType());
}

template <>
ComPtr<IDispatch> MakeServed<word::Window>(const std::shared_ptr<word::Window>& object) {
  return Serve(object, WordWindowType());
}

// A document as the context is served as the document it is.
template <>
ComPtr<IDispatch> MakeServed<word::CustomizationContext>(
    const std::shared_ptr<word::CustomizationContext>& object) {
  if (auto document = std::dynamic_pointer_cast<word::Document>(object))
    return ToDispatch(document);
  return Serve(object, TemplateType());
}

template <>
ComPtr<IDispatch> MakeServed<word::Document>(
    const std::shared_ptr<word::Document>& object) {
  return Serve(object, DocumentType());
}

template <>
ComPtr<IDispatch> MakeServed<word::MailEnvelope>(
    const std::shared_ptr<word::MailEnvelope>& object) {
  return Serve(object, EnvelopeType());
}

}  // namespace pinlet::com
