// Outlook's object model across COM: every interface of outlook_items.h and
// outlook_app.h as a client of Outlook's objects and as a served object.
//
// Include this header wherever ToPlatform or ToDispatch is used with one of
// these types. A client calls each member by the host's name, once per call
// of the platform member (Item.Subject is one Invoke of "Subject"); the
// served type calls the platform object's member once per Invoke. Outlook's
// identities are kept: a served item is one COM object per store item while
// it lives, Item::IsSameObject compares IUnknown identities without a call,
// and an Application, Explorer or Inspector answers the IIDs of Outlook's
// own interfaces (com_event_ids.h), by which a client tells them apart.
//
// Hwnd of an explorer or inspector is IOleWindow::GetWindow on the window
// object, as Outlook 2002 and 2003 offer no member for it.
#ifndef PINLET_PLATFORM_COM_COM_OUTLOOK_H_
#define PINLET_PLATFORM_COM_COM_OUTLOOK_H_

#include "platform/com/com_objects.h"
#include "platform/outlook_app.h"
#include "platform/outlook_items.h"

namespace pinlet::com {

// Store side (client_items.cc, client_item_parts.cc, client_folders.cc and
// their served_*.cc).
PINLET_COM_OBJECT(ol::Item)
PINLET_COM_OBJECT(ol::Items)
PINLET_COM_OBJECT(ol::Folder)
PINLET_COM_OBJECT(ol::Folders)
PINLET_COM_OBJECT(ol::View)
PINLET_COM_OBJECT(ol::Views)
PINLET_COM_OBJECT(ol::UserProperty)
PINLET_COM_OBJECT(ol::UserProperties)
PINLET_COM_OBJECT(ol::Attachment)
PINLET_COM_OBJECT(ol::Attachments)
PINLET_COM_OBJECT(ol::Recipient)
PINLET_COM_OBJECT(ol::Recipients)

// Window side (client_app.cc, client_windows.cc and their served_*.cc).
// An ol::Application is also a HostApplication (com_office.h): both give
// the same client and the same served object.
PINLET_COM_OBJECT(ol::Application)
PINLET_COM_OBJECT(ol::NameSpace)
PINLET_COM_OBJECT(ol::Explorers)
PINLET_COM_OBJECT(ol::Explorer)
PINLET_COM_OBJECT(ol::Selection)
PINLET_COM_OBJECT(ol::Inspectors)
PINLET_COM_OBJECT(ol::Inspector)

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_OUTLOOK_H_
