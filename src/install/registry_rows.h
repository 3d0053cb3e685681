// Every registry value that installing Pinlet writes, in one list. Both
// ways of installing take it from here, so that they cannot drift apart:
// - pinlet.dll's own registration (DllRegisterServer, run by regsvr32),
//   which writes the rows for the DLL where it lies;
// - the Windows Installer package (tools/package.sh), whose Registry table
//   is generated from the rows by pinlet_install_rows, with the package's
//   own formatted values for the places.
//
// The rows:
//   classes  CLSID\{CLSID}                      (default) = "Pinlet.Connect"
//   classes  CLSID\{CLSID}\InprocServer32       (default) = the DLL's path,
//                                               ThreadingModel = "Apartment"
//   classes  CLSID\{CLSID}\ProgID               (default) = "Pinlet.Connect"
//   classes  Pinlet.Connect\CLSID               (default) = "{CLSID}"
//   user     Software\Microsoft\Office\H\Addins\Pinlet.Connect, for H =
//            Outlook and Word: FriendlyName, Description, LoadBehavior 3
//   user     Software\Zarvo\Pinlet              InstDir (the DLL's folder,
//            ending in "\"), MyDir (the user's data folder, ending in "\")
// "classes" is the classes root: for regsvr32, HKEY_CLASSES_ROOT; in the
// package, Software\Classes of the installing user (or of the machine, for
// a machine-wide install). "user" is HKEY_CURRENT_USER.
//
// Removing the registration deletes each owned key whole (and its parents
// left empty, up to the kept ancestor), and of Software\Zarvo\Pinlet only
// the two values: the rest of that key is the add-in's own settings.
#ifndef PINLET_INSTALL_REGISTRY_ROWS_H_
#define PINLET_INSTALL_REGISTRY_ROWS_H_

#include <string>
#include <string_view>
#include <vector>

namespace pinlet::install {

// The add-in's class, as its type library declares it.
constexpr std::string_view kClsid = "{01425611-89AD-454B-9F43-92F7B98B88FC}";
constexpr std::string_view kProgId = "Pinlet.Connect";
constexpr std::string_view kFriendlyName = "Pinlet";
constexpr std::string_view kDescription = "Pinlet: sticky notes attached to Outlook items";
// Office's LoadBehavior 3: connected, and loaded at every start-up.
constexpr unsigned kLoadAtStartup = 3;
constexpr std::string_view kSettingsKey = "Software\\Zarvo\\Pinlet";

enum class Root { kClasses, kUser };
enum class Kind { kText, kNumber };

struct RegistryRow {
  Root root;
  std::string key;
  std::string name;  // "" for the key's default value
  Kind kind;
  std::string value;  // a number's as decimal digits
};

// Where an installation puts things, as the rows write them: the DLL's full
// path, the install folder and the user's data folder (both ending in
// "\"). The package gives its formatted references instead of paths.
struct Places {
  std::string dll;
  std::string install_dir;
  std::string user_dir;
};

// Every row, in the order registration writes them.
std::vector<RegistryRow> RegistryRows(const Places& places);

// A key that removing the registration deletes whole, with each parent it
// leaves empty up to, not including, `kept`.
struct OwnedKey {
  Root root;
  std::string key;
  std::string kept;
};
std::vector<OwnedKey> OwnedKeys();

// The values that removing the registration deletes alone, keeping their
// key: the install and user folders among the add-in's settings.
std::vector<RegistryRow> SharedValues(const Places& places);

}  // namespace pinlet::install

#endif  // PINLET_INSTALL_REGISTRY_ROWS_H_
