#include "comserver/com_platform.h"

#include "comserver/ui_surfaces.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_support_library.h"

namespace pinlet::com {

struct ComPlatform::Services {
  explicit Services(ComHostObjects::SessionSource session)
      : objects(std::move(session)) {}
  Win32Registry registry;
  Win32FileSystem files;
  Win32Clock clock;
  Win32Shell shell;
  Win32Clipboard clipboard;
  Win32Graphics graphics;
  ComHostObjects objects;
  comserver::UiSurfaces ui;
};

ComPlatform::ComPlatform(std::string dll_folder,
                         ComHostObjects::SessionSource outlook_session)
    : services_(std::make_unique<Services>(std::move(outlook_session))) {
  platform_.registry = &services_->registry;
  platform_.files = &services_->files;
  platform_.clock = &services_->clock;
  platform_.shell = &services_->shell;
  platform_.clipboard = &services_->clipboard;
  platform_.graphics = &services_->graphics;
  platform_.objects = &services_->objects;
  services_->ui.Fill(platform_);
  platform_.load_support_library = [folder = std::move(dll_folder)] {
    return std::shared_ptr<SupportLibrary>(Win32SupportLibrary::Load(folder));
  };
  platform_.get_active_object = [](std::string_view prog_id) {
    return GetActiveHostApplication(prog_id);
  };
}

ComPlatform::~ComPlatform() = default;

}  // namespace pinlet::com
