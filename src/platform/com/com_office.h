// Office's side across COM: the add-in host (any Office application, its
// COM add-ins, the add-in's published object and connectors) and the
// command bars, each as a client of the host's objects and as a served
// object.
//
// Include this header wherever ToPlatform or ToDispatch is used with one of
// these types. The clients tell objects apart as a late-bound caller would,
// by QueryInterface for the host's own IIDs (com_event_ids.h), never by a
// call: a HostApplication that answers Outlook's _Application is an
// ol::Application (Word's, a word::Application), and the office::Window a
// bar answers as Parent is an ol::Explorer or an ol::Inspector by the
// interface it answers (a Word window has no command bars: it is none).
// Each gives the same client as ToPlatform of the more specific type.
//
// A command bar control is one object for buttons and popups, as Office
// hands it to an IDispatch caller. Its Picture and Mask cross as
// IPictureDisp objects (com_picture.h).
#ifndef PINLET_PLATFORM_COM_COM_OFFICE_H_
#define PINLET_PLATFORM_COM_COM_OFFICE_H_

#include "platform/addin_host.h"
#include "platform/addin_object.h"
#include "platform/com/com_objects.h"
#include "platform/command_bars.h"

namespace pinlet::com {

// The add-in host and what the add-in publishes (client_addin.cc,
// served_addin.cc).
PINLET_COM_OBJECT(HostApplication)
PINLET_COM_OBJECT(COMAddIns)
PINLET_COM_OBJECT(COMAddIn)
PINLET_COM_OBJECT(AddInObject)
PINLET_COM_OBJECT(AddInConnectors)
PINLET_COM_OBJECT(AddInConnector)
PINLET_COM_OBJECT(ReplyForwardObject)

// Command bars (client_command_bars.cc, served_command_bars.cc).
PINLET_COM_OBJECT(office::Window)
PINLET_COM_OBJECT(office::CommandBars)
PINLET_COM_OBJECT(office::CommandBar)
PINLET_COM_OBJECT(office::CommandBarControls)
PINLET_COM_OBJECT(office::CommandBarControl)

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_OFFICE_H_
