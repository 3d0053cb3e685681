#include "platform/win32ui/win32_form_factory.h"

#include "platform/win32ui/win32_form.h"

namespace pinlet {

ui::FormPtr Win32FormFactory::CreateForm(std::string_view design_name) {
  auto form = std::make_shared<win32ui::Win32Form>(std::string(design_name));
  form->Open();
  return form;
}

}  // namespace pinlet
