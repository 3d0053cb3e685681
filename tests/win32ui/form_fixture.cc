#include "form_fixture.h"

#include "platform/com/com_boundary.h"
#include "win32_fixture.h"

namespace pinlet::testing {
namespace {

BOOL CALLBACK CountForms(HWND window, LPARAM lparam) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring_view(name) == L"PinletForm") ++*reinterpret_cast<int*>(lparam);
  return TRUE;
}

}  // namespace

FormTest::FormTest() {
  com::SetDefectRecorder([this](const std::string& what) { defects_.push_back(what); });
}

FormTest::~FormTest() {
  for (const ui::FormPtr& form : forms_) IgnoreError([&] { form->Unload(); });
  forms_.clear();
  Pump(0);
  EXPECT_EQ(FormWindowCount(), 0) << "a form's window outlived its form";
  EXPECT_TRUE(defects_.empty()) << "unexpected defect: " << defects_.front();
  com::SetDefectRecorder(nullptr);
}

ui::FormPtr FormTest::NewForm(std::string_view design_name) {
  forms_.push_back(factory_.CreateForm(design_name));
  return forms_.back();
}

bool FormTest::Pump(int milliseconds, const std::function<bool()>& done) {
  return PumpMessages(milliseconds, done);
}

std::vector<std::string> FormTest::TakeDefects() { return std::exchange(defects_, {}); }

int FormTest::FormWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountForms, reinterpret_cast<LPARAM>(&count));
  return count;
}

int32_t ErrorOf(const std::function<void()>& call) {
  auto error = Attempt(call);
  return error ? error->number() : 0;
}

HWND WindowOf(ui::TextBox& box) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(box.hWnd()));
}

}  // namespace pinlet::testing
