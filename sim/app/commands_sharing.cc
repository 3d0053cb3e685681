// Commands for the sharing product's stand-in: installing it, deleting a
// shared item through it as the product does (which calls the add-in's
// extension), writing a long product log, and what the product was told.
#include <cstdio>
#include <optional>
#include <ostream>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "platform/display_text.h"
#include "sim/machine/sim_sharing.h"

namespace pinlet::app {
namespace {

// The database the last registered extension named; "" when none did.
std::string LastDatabase(Driver& d) {
  const auto& registrations = d.world().sharing.registrations();
  return registrations.empty() ? "" : registrations.back()->database_path;
}

int SharingInstall(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                   std::string&) {
  if (!args.empty()) return 2;
  d.world().sharing.Install();
  out << "the sharing product is installed; its database template is "
      << Printable(d.world().install_dir + sim::kDatabaseTemplate) << "\n";
  if (d.session()) out << "Pinlet registers its extension when it next connects\n";
  return 0;
}

int SharingDelete(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                  std::string& error) {
  if (args.size() != 2) return 2;
  sim::SimSharing& sharing = d.world().sharing;
  if (!sharing.installed()) {
    error = "the sharing product is not installed (sharing install)";
    return 2;
  }
  auto node = ResolveFolderItem(d, args[0], args[1], error);
  if (!node) return 2;
  std::string subject = Printable(node->subject);
  // The product calls the extension at the host boundary itself.
  std::optional<sim::SimSharing::Deletion> deletion = sharing.DeleteSharedItem(node);
  if (!deletion) {
    error = "'" + subject + "' is not a saved item";
    return 2;
  }
  out << "the sharing product deleted '" << subject << "'";
  if (!deletion->folder_path.empty())
    out << "; it is now in " << Printable(deletion->folder_path);
  out << "\n";
  if (deletion->extensions_called == 0)
    out << "no extension is registered, so none was told\n";
  else
    out << "onItemDeleted called for " << deletion->extensions_called
        << " extension(s)\n";
  return 0;
}

int SharingLog(Driver& d, const std::vector<std::string>& args, std::ostream& out,
               std::string& error) {
  if (args.size() != 1 || args[0].empty() ||
      args[0].find_first_not_of("0123456789") != std::string::npos || args[0].size() > 8)
    return 2;
  std::string database = LastDatabase(d);
  size_t slash = database.find_last_of('\\');
  if (slash == std::string::npos) {
    error =
        "no extension told the product its database yet (start Pinlet with the "
        "product installed)";
    return 2;
  }
  std::string path = database.substr(0, slash + 1) + "Relaybook.log";
  // Numbered lines of the product's work; the last one, still being
  // written, may have no line end.
  size_t bytes = std::stoul(args[0]);
  std::string text;
  int lines = 0;
  while (text.size() < bytes) {
    char line[64];
    std::snprintf(line, sizeof line, "%06d replicated a shared item\r\n", ++lines);
    text += line;
  }
  text.resize(bytes);
  if (d.world().files.Store(path, text) != sim::FsError::kNone) {
    error = "cannot write " + Printable(path);
    return 2;
  }
  out << "wrote " << bytes << " bytes (" << lines << " lines) to " << Printable(path)
      << "\n";
  return 0;
}

int ShowSharing(Driver& d, const std::vector<std::string>& args, std::ostream& out,
                std::string&) {
  if (!args.empty()) return 2;
  const sim::SimSharing& sharing = d.world().sharing;
  out << "sharing product: " << (sharing.installed() ? "installed" : "not installed")
      << "\n";
  out << "extensions registered: " << sharing.registrations().size() << " ("
      << sharing.live_registrations() << " in force)\n";
  int n = 0;
  for (const auto& r : sharing.registrations()) {
    bool exists = d.world().files.IsFile(r->database_path);
    out << "  " << ++n << ". product code " << Printable(r->product_code) << ", database "
        << Printable(r->database_path) << (exists ? "" : " (missing)")
        << (r->released ? "; released" : "") << "\n";
  }
  out << "folders reported: " << sharing.reported_folders().size() << "\n";
  for (const auto& folder : sharing.reported_folders())
    out << "  "
        << (folder.folder_path.empty() ? "(no such folder)"
                                       : Printable(folder.folder_path))
        << "  EntryID " << Printable(folder.entry_id) << "\n";
  out << "items deleted: " << sharing.deletions().size() << "\n";
  for (const auto& deletion : sharing.deletions()) {
    out << "  '" << Printable(deletion.subject) << "' to "
        << (deletion.folder_path.empty() ? "nowhere (deleted for good)"
                                         : Printable(deletion.folder_path))
        << "; extensions told: " << deletion.extensions_called << "\n";
  }
  return 0;
}

}  // namespace

void AddSharingCommands(std::map<std::string, Command>& c) {
  c["sharing install"] = {"sharing install",
                          "install the sharing product's stand-in, with its database "
                          "template in the install folder",
                          SharingInstall};
  c["sharing delete"] = {"sharing delete FOLDER N|SUBJECT",
                         "delete a shared item through the sharing product, which tells "
                         "Pinlet's extension",
                         SharingDelete, true};
  c["sharing log"] = {"sharing log BYTES",
                      "fill the product's log beside its database with BYTES bytes of "
                      "lines, as long use leaves it",
                      SharingLog};
  c["show sharing"] = {"show sharing",
                       "what the sharing product was told: extensions, database, "
                       "folders, deleted items",
                       ShowSharing};
}

}  // namespace pinlet::app
