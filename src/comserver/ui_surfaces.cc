#include "comserver/ui_surfaces.h"

#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_window_manager.h"
#include "platform/win32ui/win32_form_factory.h"

namespace pinlet::comserver {

struct UiSurfaces::Surfaces {
  Win32MessageBoxes message_boxes;
  Win32WindowManager windows;
  Win32FormFactory forms;
  Win32Dialogs dialogs;
};

UiSurfaces::UiSurfaces() : surfaces_(std::make_unique<Surfaces>()) {}
UiSurfaces::~UiSurfaces() = default;

void UiSurfaces::Fill(Platform& platform) {
  platform.message_boxes = &surfaces_->message_boxes;
  platform.window_manager = &surfaces_->windows;
  platform.forms = &surfaces_->forms;
  platform.dialogs = &surfaces_->dialogs;
}

}  // namespace pinlet::comserver
