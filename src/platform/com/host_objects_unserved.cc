// The served half of the host's own interfaces in a module of the add-in's.
//
// Every host object that the add-in holds came from its host, as a client
// (com_objects.h), and goes back to the host as the host's own object. The
// add-in has no object of its own that implements a host interface, so a
// module that ships serves none: asked to, it raises a type mismatch, as a
// late-bound caller does for an object of the wrong kind. The simulated
// machine links its served objects (sim/served/) instead of this file.
#include "platform/com/com_error.h"
#include "platform/com/com_helpers.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_word.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

[[noreturn]] void RefuseToServe(const char* type) {
  throw HostError(errors::kTypeMismatch, DescriptionOfNumber(errors::kTypeMismatch),
                  std::string(type) + " is the host's object, not ours to serve");
}

}  // namespace

#define PINLET_UNSERVED(T)                                                 \
  template <>                                                              \
  ComPtr<IDispatch> MakeServed<T>(const std::shared_ptr<T>&) {             \
    RefuseToServe(#T);                                                     \
  }

PINLET_UNSERVED(MapiUtils)
PINLET_UNSERVED(CdoSession)
PINLET_UNSERVED(CdoMessage)
PINLET_UNSERVED(CdoFields)
PINLET_UNSERVED(CdoField)
PINLET_UNSERVED(RdoSession)
PINLET_UNSERVED(SafeMailItem)
PINLET_UNSERVED(RegExp)
PINLET_UNSERVED(SharingProduct)
PINLET_UNSERVED(SharingEngine)
PINLET_UNSERVED(HostApplication)
PINLET_UNSERVED(COMAddIns)
PINLET_UNSERVED(COMAddIn)
PINLET_UNSERVED(office::Window)
PINLET_UNSERVED(office::CommandBars)
PINLET_UNSERVED(office::CommandBar)
PINLET_UNSERVED(office::CommandBarControls)
PINLET_UNSERVED(office::CommandBarControl)
PINLET_UNSERVED(ol::Item)
PINLET_UNSERVED(ol::Items)
PINLET_UNSERVED(ol::Folder)
PINLET_UNSERVED(ol::Folders)
PINLET_UNSERVED(ol::View)
PINLET_UNSERVED(ol::Views)
PINLET_UNSERVED(ol::UserProperty)
PINLET_UNSERVED(ol::UserProperties)
PINLET_UNSERVED(ol::Attachment)
PINLET_UNSERVED(ol::Attachments)
PINLET_UNSERVED(ol::Recipient)
PINLET_UNSERVED(ol::Recipients)
PINLET_UNSERVED(ol::Application)
PINLET_UNSERVED(ol::NameSpace)
PINLET_UNSERVED(ol::Explorers)
PINLET_UNSERVED(ol::Explorer)
PINLET_UNSERVED(ol::Selection)
PINLET_UNSERVED(ol::Inspectors)
PINLET_UNSERVED(ol::Inspector)
PINLET_UNSERVED(word::Application)
PINLET_UNSERVED(word::Window)
PINLET_UNSERVED(word::CustomizationContext)
PINLET_UNSERVED(word::Document)
PINLET_UNSERVED(word::MailEnvelope)

#undef PINLET_UNSERVED

}  // namespace pinlet::com
