// Microsoft Word's object model, as far as the add-in uses it when Word is
// Outlook's e-mail editor.
//
// A Word-edited mail shows in a Word window whose document carries the mail
// (Document.MailEnvelope.Item, an Outlook item); the window's command bars
// are the mail window's, with Word's "Standard" toolbar. Word raises
// WindowActivate(Doc, Wn) each time one of its windows comes to the front,
// a mail window first as it opens. Every member may raise a HostError.
#ifndef PINLET_PLATFORM_WORD_APP_H_
#define PINLET_PLATFORM_WORD_APP_H_

#include <functional>
#include <memory>
#include <string>

#include "platform/addin_host.h"
#include "platform/command_bars.h"
#include "platform/events.h"
#include "platform/outlook_items.h"

namespace pinlet::word {

class MailEnvelope {
 public:
  virtual ~MailEnvelope() = default;
  // The Outlook item the document edits.
  virtual ol::ItemPtr Item() = 0;
};

class Document {
 public:
  virtual ~Document() = default;
  virtual std::string Name() = 0;
  // The document's mail envelope; raises for a document that is no mail.
  virtual std::shared_ptr<word::MailEnvelope> MailEnvelope() = 0;
};

using DocumentPtr = std::shared_ptr<Document>;

// CommandBars: the window's own bars (office::Window).
class Window : public office::Window {
 public:
  virtual ~Window() = default;
  virtual std::string Caption() = 0;
  virtual DocumentPtr Document() = 0;
};

using WindowPtr = std::shared_ptr<Window>;

class Application : public HostApplication {
 public:
  // The number of open windows.
  virtual int WindowsCount() = 0;
  using WindowActivateHandler = std::function<void(DocumentPtr doc, WindowPtr wn)>;
  virtual Subscription OnWindowActivate(WindowActivateHandler handler) = 0;
};

using ApplicationPtr = std::shared_ptr<Application>;

}  // namespace pinlet::word

#endif  // PINLET_PLATFORM_WORD_APP_H_
