// The add-in's forms as real Win32 windows: the FormFactory of the Windows
// build (see win32_form.h for the form and win32_controls.h for its kinds
// of control).
//
// Forms must be created and used on one thread, the host's UI thread,
// whose message loop delivers their events (a modal form runs its own).
#ifndef PINLET_PLATFORM_WIN32UI_WIN32_FORM_FACTORY_H_
#define PINLET_PLATFORM_WIN32UI_WIN32_FORM_FACTORY_H_

#include <string_view>

#include "platform/ui.h"

namespace pinlet {

class Win32FormFactory : public ui::FormFactory {
 public:
  // A new hidden form with its window made and no controls; raises 5 when
  // the system refuses the window. The caller owns it until it unloads.
  ui::FormPtr CreateForm(std::string_view design_name) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32UI_WIN32_FORM_FACTORY_H_
