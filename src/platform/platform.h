// The services a loaded add-in instance reaches the machine through.
//
// One Platform is handed to each add-in instance by whoever hosts it (the
// simulated host in tests and in the pinlet command; later the COM server).
// It owns nothing: the backend keeps the services alive for as long as the
// add-in is loaded.
#ifndef PINLET_PLATFORM_PLATFORM_H_
#define PINLET_PLATFORM_PLATFORM_H_

#include <functional>
#include <memory>

#include "platform/addin_host.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/mapi_helpers.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/support_library.h"
#include "platform/ui.h"
#include "platform/windows.h"

namespace pinlet {

struct Platform {
  Registry* registry = nullptr;
  MessageBoxes* message_boxes = nullptr;
  WindowManager* window_manager = nullptr;
  // Creates the add-in's forms by design name; see ui.h.
  ui::FormFactory* forms = nullptr;
  FileSystem* files = nullptr;
  Clock* clock = nullptr;
  Clipboard* clipboard = nullptr;
  Graphics* graphics = nullptr;
  CommonDialogs* dialogs = nullptr;
  Shell* shell = nullptr;
  // Loads the support library; raises a HostError when it is not installed.
  std::function<std::shared_ptr<SupportLibrary>()> load_support_library;
  // Creates the MAPI helper objects and the regular expression object by
  // ProgID; see mapi_helpers.h.
  ComObjectFactory* objects = nullptr;
  // GetActiveObject: the running application registered under `prog_id`
  // ("Outlook.Application"); nullptr when none runs.
  std::function<std::shared_ptr<HostApplication>(std::string_view prog_id)>
      get_active_object;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_PLATFORM_H_
