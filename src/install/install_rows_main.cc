// pinlet_install_rows: the registry rows of registry_rows.h as the
// installer package has them (tools/package.sh).
//   pinlet_install_rows wxs    a WiX include: every row as a RegistryValue,
//                              for the package's component "Registration"
//   pinlet_install_rows table  the rows of the package's Registry table as
//                              msiinfo exports them, sorted: Root, Key, Name
//                              and Value, separated by tabs
// In the package the DLL is the file "pinlet.dll" ([#PinletDll]), the
// install folder [INSTALLDIR] and the user's data folder [USERDATADIR]. The
// classes rows go to Software\Classes of the installing user: the package
// installs per user only.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "install/registry_rows.h"

namespace pinlet::install {
namespace {

constexpr int kRootCurrentUser = 1;
constexpr const char* kClassesPrefix = "Software\\Classes\\";

Places PackagePlaces() { return {"[#PinletDll]", "[INSTALLDIR]", "[USERDATADIR]"}; }

std::string KeyOf(const RegistryRow& row) {
  return row.root == Root::kClasses ? kClassesPrefix + row.key : row.key;
}

// Text for an XML attribute.
std::string Attribute(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void PrintWxs() {
  std::printf(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!-- Made by pinlet_install_rows from the add-in's one list of its registry\n"
      "     rows (src/install/registry_rows.h); not to be edited. -->\n"
      "<Include>\n");
  bool key_path = false;
  for (const RegistryRow& row : RegistryRows(PackagePlaces())) {
    std::string type = row.kind == Kind::kNumber ? "integer" : "string";
    std::string name = row.name.empty() ? "" : " Name=\"" + Attribute(row.name) + "\"";
    // The install folder's row marks the component as installed.
    bool is_key_path = !key_path && row.name == "InstDir";
    key_path |= is_key_path;
    std::printf("  <RegistryValue Root=\"HKCU\" Key=\"%s\"%s Type=\"%s\" Value=\"%s\"%s/>\n",
                Attribute(KeyOf(row)).c_str(), name.c_str(), type.c_str(),
                Attribute(row.value).c_str(), is_key_path ? " KeyPath=\"yes\"" : "");
  }
  std::printf("</Include>\n");
}

void PrintTable() {
  std::vector<std::string> lines;
  for (const RegistryRow& row : RegistryRows(PackagePlaces())) {
    std::string value = row.kind == Kind::kNumber ? "#" + row.value : row.value;
    lines.push_back(std::to_string(kRootCurrentUser) + "\t" + KeyOf(row) + "\t" + row.name + "\t" +
                    value);
  }
  std::sort(lines.begin(), lines.end());
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

}  // namespace
}  // namespace pinlet::install

int main(int argc, char** argv) {
  std::string mode = argc == 2 ? argv[1] : "";
  if (mode == "wxs") {
    pinlet::install::PrintWxs();
  } else if (mode == "table") {
    pinlet::install::PrintTable();
  } else {
    std::fprintf(stderr, "usage: pinlet_install_rows wxs|table\n");
    return 2;
  }
  return 0;
}
