// What the tests of the Win32 forms stand on: a factory of real windows,
// every form a test makes unloaded after it (and checked gone), the
// defects the window procedures stopped, and a bounded message pump.
#ifndef PINLET_TESTS_WIN32UI_FORM_FIXTURE_H_
#define PINLET_TESTS_WIN32UI_FORM_FIXTURE_H_

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_error.h"
#include "platform/ui_controls.h"
#include "platform/win32ui/win32_form_factory.h"

namespace pinlet::testing {

class FormTest : public ::testing::Test {
 protected:
  FormTest();
  // Unloads every form still loaded, then expects no window of ours left
  // and no defect the test did not take.
  ~FormTest() override;

  // A new hidden form of the factory, kept for the cleanup.
  ui::FormPtr NewForm(std::string_view design_name = "frmTest");
  // Dispatches the thread's messages for `milliseconds`, or until `done`
  // answers true; answers whether `done` did.
  bool Pump(int milliseconds, const std::function<bool()>& done = nullptr);
  // The defects recorded since the last call, which the test has seen.
  std::vector<std::string> TakeDefects();
  // The top-level windows of the forms' class on this thread.
  static int FormWindowCount();

  Win32FormFactory factory_;

 private:
  std::vector<ui::FormPtr> forms_;
  std::vector<std::string> defects_;
};

// The HostError number `call` raised; 0 when it raised none.
int32_t ErrorOf(const std::function<void()>& call);

// The window of a control, as the add-in carries it.
HWND WindowOf(ui::TextBox& box);

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_WIN32UI_FORM_FIXTURE_H_
