// Word's object model across COM, as far as the add-in uses it when Word is
// Outlook's e-mail editor: the application with its WindowActivate event,
// its command bars and customization context, its windows, their documents
// and mail envelopes. A customization context is a document or a template:
// served, a document is one as itself; a client is a plain late-bound
// object with a Name.
//
// Word's Application answers Word's _Application IID and its windows Word's
// Window IID (com_event_ids.h), by which ToPlatform<HostApplication> and
// ToPlatform<office::Window> recognise them. The window count is
// Application.Windows.Count, as in Word; served, Windows is a small
// collection object whose Count is the one call of WindowsCount.
#ifndef PINLET_PLATFORM_COM_COM_WORD_H_
#define PINLET_PLATFORM_COM_COM_WORD_H_

#include "platform/com/com_objects.h"
#include "platform/word_app.h"

namespace pinlet::com {

PINLET_COM_OBJECT(word::Application)
PINLET_COM_OBJECT(word::Window)
PINLET_COM_OBJECT(word::CustomizationContext)
PINLET_COM_OBJECT(word::Document)
PINLET_COM_OBJECT(word::MailEnvelope)

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_WORD_H_
