// Microsoft Word's object model, as far as the add-in uses it when Word is
// Outlook's e-mail editor.
//
// A Word-edited mail shows in a Word window whose document carries the mail
// (Document.MailEnvelope.Item, an Outlook item). Word raises
// WindowActivate(Doc, Wn) each time one of its windows comes to the front,
// a mail window first as it opens. Every member may raise a HostError.
//
// Command bars are Word's, not a window's: Word's Window has no CommandBars
// member (a late-bound call raises 438). Application.CommandBars and
// Document.CommandBars are Word's menu bar and toolbars, which every
// document window shows; MailEnvelope.CommandBars (Office 10 and later) are
// the bars of the mail's own window. Changes to command bars are stored in
// Application.CustomizationContext, a template or a document (Word's
// Normal.dot unless set otherwise); a temporary control or bar goes when
// Word exits.
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
  // The command bars of the mail's window.
  virtual office::CommandBarsPtr CommandBars() = 0;
};

// Where Word stores changes to command bars: a Template or a Document.
class CustomizationContext {
 public:
  virtual ~CustomizationContext() = default;
  virtual std::string Name() = 0;
};

using CustomizationContextPtr = std::shared_ptr<CustomizationContext>;

class Document : public CustomizationContext {
 public:
  // The document's mail envelope; raises for a document that is no mail.
  virtual std::shared_ptr<word::MailEnvelope> MailEnvelope() = 0;
  // Word's menu bar and toolbars.
  virtual office::CommandBarsPtr CommandBars() = 0;
};

using DocumentPtr = std::shared_ptr<Document>;

class Window {
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
  // Word's menu bar and toolbars, which every document window shows.
  virtual office::CommandBarsPtr CommandBars() = 0;
  // Where changes to command bars are stored; setting Nothing raises.
  virtual CustomizationContextPtr GetCustomizationContext() = 0;
  virtual void SetCustomizationContext(const CustomizationContextPtr& context) = 0;
};

using ApplicationPtr = std::shared_ptr<Application>;

}  // namespace pinlet::word

#endif  // PINLET_PLATFORM_WORD_APP_H_
