#include "sim/machine/world.h"

#include "platform/host_error.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "sim/machine/sim_outlook.h"
#include "platform/support_calls.h"

namespace pinlet::sim {

Date SimClock::Now() {
  faults_->Check("Now");
  return now_;
}

World::World() {
  faults.set_defect_sink([this](std::string what) { RecordDefect(std::move(what)); });
  MakeMachineFolders();
  support = std::make_shared<SimSupportLibrary>(
      this, user_dir + std::string(support_calls::kLogFileName));
  objects = std::make_unique<SimObjectFactory>(this);
}

World::~World() = default;

void World::MakeMachineFolders() {
  for (const std::string& folder :
       {std::string("C:\\WINDOWS\\system32"), std::string("C:\\Program Files"),
        std::string("C:\\Documents and Settings\\All Users"),
        shell.profile() + "\\Desktop", shell.SpecialFolder(csidl::kPersonal),
        shell.SpecialFolder(csidl::kAppData), shell.SpecialFolder(csidl::kLocalAppData),
        shell.TempFolder(), install_dir, user_dir})
    files.MakeFolders(folder);
}

void World::UseHostFiles(FileSystem* host) {
  files.UseHostFiles(host);
  MakeMachineFolders();
}

void World::UseHostClipboard(Clipboard* host) { clipboard.UseHostClipboard(host); }

void World::Install(std::string_view view_file_content) {
  registry.SetValue("Software\\Zarvo\\Pinlet", "InstDir", RegValue::Text(install_dir));
  registry.SetValue("Software\\Zarvo\\Pinlet", "MyDir", RegValue::Text(user_dir));
  files.MakeFolders(user_dir);
  files.Store(install_dir + "PNX.xml", view_file_content);
  InstallHelpPages(files, install_dir);
}

Platform World::platform() {
  Platform p;
  p.registry = &registry;
  p.message_boxes = &message_boxes;
  p.window_manager = &windows;
  p.forms = &ui;
  p.files = &files;
  p.clock = &clock;
  p.clipboard = &clipboard;
  p.graphics = &graphics;
  p.dialogs = &dialogs;
  p.shell = &shell;
  p.objects = objects.get();
  p.load_support_library = [this]() -> std::shared_ptr<SupportLibrary> {
    faults.Check("LoadLibrary LibZarvo.dll");
    if (!support_installed_)
      throw HostError(errors::kCannotCreateObject, "File not found: LibZarvo.dll");
    return support;
  };
  p.get_active_object =
      [this](std::string_view prog_id) -> std::shared_ptr<HostApplication> {
    if (faults.Fails("GetActiveObject")) return nullptr;
    if (prog_id == "Outlook.Application" && outlook)
      return outlook->weak_from_this().lock();
    return nullptr;
  };
  return p;
}

}  // namespace pinlet::sim
