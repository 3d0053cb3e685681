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
        .Get("CommandBars",
             [](Window& w, ServedCall& c) { ReturnObject(c, w.CommandBars()); })
        .Answers(kIidWordWindow)
        .AlsoAs<office::Window>();
    return t;
  }();
  return type;
}

const ServedType<word::Document>& DocumentType() {
  using Document = word::Document;
  static const ServedType<Document> type = [] {
    ServedType<Document> t("Document");
    t.Get("Name", [](Document& d, ServedCall& c) {
       c.Return(d.Name());
     }).Get("MailEnvelope", [](Document& d, ServedCall& c) {
      ReturnObject(c, d.MailEnvelope());
    });
    return t;
  }();
  return type;
}

const ServedType<word::MailEnvelope>& EnvelopeType() {
  using Envelope = word::MailEnvelope;
  static const ServedType<Envelope> type = [] {
    ServedType<Envelope> t("MailEnvelope");
    t.Get("Item", [](Envelope& e, ServedCall& c) { ReturnObject(c, e.Item()); });
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
