// The add-in behind the COM class Pinlet.Connect.
//
// Each COM server DLL links exactly one definition of CreateComAddin, chosen
// when the DLL is linked, never at run time: pinlet.dll's builds the add-in
// that ships (pinlet_addin_factory.cc), the test DLL's a stand-in that
// reports its calls. The class factory calls it once for every object it
// creates; the object owns what it returns and drops it when Office releases
// the object.
#ifndef PINLET_COMSERVER_COM_ADDIN_H_
#define PINLET_COMSERVER_COM_ADDIN_H_

#include <memory>

#include "platform/addin_host.h"

namespace pinlet::com {

// A new add-in instance (never null). Raises a HostError when the add-in
// cannot be made; the class factory then answers its number.
std::shared_ptr<IDTExtensibility2> CreateComAddin();

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_COM_ADDIN_H_
