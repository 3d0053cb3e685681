#include "sim/comhost/com_addin_loading.h"

#include <windows.h>
// After windows.h, which it expects.
#include <objbase.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_error.h"
#include "platform/shell.h"
#include "platform/wide_text.h"
#include "platform/win32/registry_keys.h"
#include "platform/win32/twips.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "sim/comhost/com_addin_proxy.h"
#include "sim/comhost/host_class_objects.h"
#include "sim/comhost/lent_services.h"
#include "sim/comhost/real_forms.h"
#include "sim/comhost/registered_class.h"
#include "sim/comhost/registry_mirror.h"
#include "sim/comhost/shown_calls.h"
#include "sim/comhost/ui_answers.h"
#include "sim/comhost/watched_support_library.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/world.h"

namespace pinlet::comhost {
namespace {

constexpr const char* kSettingsBranch = "Software\\Zarvo";
constexpr const char* kOutlookAddinKey =
    "Software\\Microsoft\\Office\\Outlook\\Addins\\Pinlet.Connect";
// Where the shell keeps the user's folders: the settings, and the paths it
// found for them last (which it writes itself as it answers).
constexpr const char* kShellFolderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

// The folders of the simulated machine's user, as the shell names them.
struct ShellFolder {
  const char* value;
  int csidl;
};
constexpr ShellFolder kShellFolderValues[] = {
    {"Personal", csidl::kPersonal},
    {"AppData", csidl::kAppData},
    {"Local AppData", csidl::kLocalAppData},
};

// The DLL registered for `prog_id`, by the user or the machine; "" when
// none is.
std::wstring RegisteredDll(const std::wstring& prog_id) {
  RegisteredClass found;
  return FindRegisteredClass(prog_id, found) ? found.dll : L"";
}

// The folder holding the DLL registered for `prog_id`; "" when none is.
std::wstring RegisteredDllFolder(const std::wstring& prog_id) {
  std::wstring dll = RegisteredDll(prog_id);
  size_t slash = dll.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"" : dll.substr(0, slash);
}

class ComAddinLoading : public app::AddinLoading {
 public:
  ComAddinLoading() : mirror_(kSettingsBranch, &registry_) {}
  ~ComAddinLoading() override { Release(); }

  bool Prepare(sim::World& world, std::string& error) override {
    if (!RunsUnderWine()) {
      error =
          "--com runs only under Wine, in a prefix made for it: it replaces the "
          "folders and settings of the machine's user";
      return false;
    }
    if (!registry_.KeyExists(kOutlookAddinKey) ||
        RegisteredDllFolder(L"Pinlet.Connect").empty()) {
      error = "Pinlet.Connect is not registered (regsvr32 pinlet.dll)";
      return false;
    }
    std::optional<std::string> user = shell_.UserName();
    if (!user || *user != world.shell.user_name()) {
      error = "the machine's user must be \"" + world.shell.user_name() +
              "\" (start Wine with USER=" + world.shell.user_name() + ")";
      return false;
    }
    world_ = &world;
    answers_ = std::make_unique<UiAnswers>(world);
    if (!answers_->installed()) {
      error =
          "the message boxes and dialogs of this thread cannot be answered (no CBT hook)";
      return false;
    }
    // A fresh machine: what an earlier run left of the user's folders and
    // settings goes.
    sim::FaultInjector::Pause pause(world.faults);
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsBranch);
    world.UseHostFiles(&files_);
    for (const std::string& folder : {world.shell.profile(), world.install_dir})
      world.files.DeleteEntry(folder, true);
    world.UseHostFiles(&files_);  // the user's folders again, empty
    world.UseHostClipboard(&clipboard_);
    PointShellAtTheUser(world);
    forms_ =
        std::make_unique<RealForms>(world, [this](HWND window, std::string_view aspect) {
          return Describe(window, aspect);
        });
    UseTheSimulatedWorkArea(world);
    UseTheSimulatedColours();
    classes_ = std::make_unique<HostClassObjects>(world.objects.get());
    if (!classes_->error().empty()) {
      error = classes_->error();
      return false;
    }
    return LoadSupportLibrary(error) && LendServices(world, error);
  }

  std::shared_ptr<IDTExtensibility2> Create(sim::World&, const Platform&) override {
    auto addin = std::make_shared<ComAddinProxy>(sim::kPinletProgId);
    std::erase_if(
        addins_, [](const std::weak_ptr<ComAddinProxy>& weak) { return weak.expired(); });
    addins_.push_back(addin);
    return addin;
  }

  void BeforeCommand(sim::World& world) override {
    sim::FaultInjector::Pause pause(world.faults);
    mirror_.Push(world.registry);
  }

  std::string AfterCommand(sim::World& world) override {
    sim::FaultInjector::Pause pause(world.faults);
    mirror_.Pull(world.registry);
    std::string trouble = answers_ ? answers_->TakeTrouble() : "";
    if (trouble.empty() && forms_) trouble = forms_->TakeTrouble();
    if (!trouble.empty())
      return "the test host could not answer the real user interface as the simulated "
             "machine did: " +
             trouble;
    return "";
  }

  app::FormSurface* forms() override { return forms_.get(); }

  void Refresh(sim::World& world) override {
    sim::FaultInjector::Pause pause(world.faults);
    mirror_.Pull(world.registry);
  }

  void Finish(sim::World& world) override {
    sim::FaultInjector::Pause pause(world.faults);
    mirror_.Pull(world.registry);
    Release();
  }

 private:
  // The screen's work area is the simulated machine's (its taskbar
  // included), so that the real windows are placed as linked in. The
  // setting is this process's own under Wine; it is put back at Release.
  void UseTheSimulatedWorkArea(sim::World& world) {
    std::optional<Rect> area = world.windows.GetWorkArea();
    if (!area || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_work_area_, 0)) return;
    RECT pixels = {TwipsToPixelsX(area->left), TwipsToPixelsY(area->top),
                   TwipsToPixelsX(area->left + area->width),
                   TwipsToPixelsY(area->top + area->height)};
    if (SystemParametersInfoW(SPI_SETWORKAREA, 0, &pixels, 0)) work_area_set_ = true;
  }

  // The real forms and controls start with the system's button face; it is
  // set to the colour the simulated machine's forms start with, so that
  // they look and read as linked in. Put back at Release.
  void UseTheSimulatedColours() {
    INT element = COLOR_BTNFACE;
    COLORREF colour = sim::kDefaultBackColour;
    saved_button_face_ = GetSysColor(COLOR_BTNFACE);
    button_face_set_ = SetSysColors(1, &element, &colour);
  }

  // The shell's folders of this user point at the simulated user's, and
  // the temporary folder is the user's, as the DLL asks the real shell.
  void PointShellAtTheUser(sim::World& world) {
    for (const char* key : kShellFolderKeys) {
      for (const ShellFolder& folder : kShellFolderValues) {
        SavedValue saved{key, folder.value, std::nullopt};
        RegValue old;
        if (registry_.ReadValue(key, folder.value, &old) == Registry::Read::kFound)
          saved.value = old;
        saved_folders_.push_back(std::move(saved));
        registry_.SetValue(key, folder.value,
                           RegValue::Text(world.shell.SpecialFolder(folder.csidl)));
      }
    }
    std::wstring temp = Wide(world.shell.TempFolder());
    SetEnvironmentVariableW(L"TEMP", temp.c_str());
    SetEnvironmentVariableW(L"TMP", temp.c_str());
  }

  // Loads the support library beside the DLL, first, so that the DLL's own
  // loading finds it loaded.
  //
  // It stays loaded for the rest of the process (pinned at its first load):
  // the threads runtime it is built with takes a thread-local slot at each
  // load and never gives it back, so a process that loaded and unloaded it
  // once per run (the failure sweep runs a thousand and more) would run out
  // of slots, and the runtime then aborts the process.
  bool LoadSupportLibrary(std::string& error) {
    std::wstring dll = RegisteredDllFolder(L"Pinlet.Connect") + L"\\LibZarvo.dll";
    support_ = LoadLibraryW(dll.c_str());
    if (!support_) {
      error = "the support library is missing: " + Narrow(dll);
      return false;
    }
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, dll.c_str(), &pinned);
    return true;
  }

  // Loads the add-in's DLL ahead of COM, which then finds it loaded, lends
  // it the simulated machine's shell, clock and timers, and watches its
  // calls of the system's boxes and dialogs and of its support library.
  bool LendServices(sim::World& world, std::string& error) {
    std::wstring dll = RegisteredDll(L"Pinlet.Connect");
    addin_dll_ = LoadLibraryW(dll.c_str());
    if (!addin_dll_) {
      error = "the add-in's DLL cannot be loaded: " + Narrow(dll);
      return false;
    }
    lent_ = std::make_unique<LentServices>(addin_dll_, world);
    shown_ = std::make_unique<ShownCalls>(addin_dll_);
    support_calls_ = std::make_unique<WatchedSupportLibrary>(addin_dll_, support_, world);
    for (const std::string* trouble :
         {&lent_->error(), &shown_->error(), &support_calls_->error()})
      if (error.empty()) error = *trouble;
    return error.empty();
  }

  void Release() {
    support_calls_.reset();
    shown_.reset();
    lent_.reset();
    if (addin_dll_) FreeLibrary(addin_dll_);
    addin_dll_ = nullptr;
    if (support_) FreeLibrary(support_);
    support_ = nullptr;
    classes_.reset();
    answers_.reset();
    forms_.reset();
    if (work_area_set_) SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_work_area_, 0);
    if (button_face_set_) {
      INT element = COLOR_BTNFACE;
      SetSysColors(1, &element, &saved_button_face_);
    }
    button_face_set_ = false;
    work_area_set_ = false;
    for (const SavedValue& saved : saved_folders_) {
      if (saved.value)
        registry_.SetValue(saved.key, saved.name, *saved.value);
      else
        registry_.DeleteValue(saved.key, saved.name);
    }
    saved_folders_.clear();
  }

  // What the first of the add-ins this host loaded that answers says of a
  // window of the DLL's.
  std::optional<std::string> Describe(HWND window, std::string_view aspect) {
    for (const std::weak_ptr<ComAddinProxy>& weak : addins_)
      if (std::shared_ptr<ComAddinProxy> addin = weak.lock())
        if (std::optional<std::string> text = addin->DescribeWindow(window, aspect))
          return text;
    return std::nullopt;
  }

  Win32FileSystem files_;
  Win32Clipboard clipboard_;
  Win32Registry registry_;
  Win32Shell shell_;
  RegistryMirror mirror_;
  sim::World* world_ = nullptr;
  std::unique_ptr<HostClassObjects> classes_;
  std::unique_ptr<UiAnswers> answers_;
  std::unique_ptr<RealForms> forms_;
  std::vector<std::weak_ptr<ComAddinProxy>> addins_;  // the instances made
  RECT saved_work_area_ = {};
  COLORREF saved_button_face_ = 0;
  bool button_face_set_ = false;
  bool work_area_set_ = false;
  HMODULE support_ = nullptr;
  HMODULE addin_dll_ = nullptr;
  std::unique_ptr<LentServices> lent_;
  std::unique_ptr<ShownCalls> shown_;
  std::unique_ptr<WatchedSupportLibrary> support_calls_;
  struct SavedValue {
    std::string key;
    std::string name;
    std::optional<RegValue> value;  // nullopt: there was none
  };
  std::vector<SavedValue> saved_folders_;
};

}  // namespace

bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void InitializeComHost() { CoInitialize(nullptr); }

std::shared_ptr<app::AddinLoading> MakeComAddinLoading() {
  return std::make_shared<ComAddinLoading>();
}

}  // namespace pinlet::comhost
