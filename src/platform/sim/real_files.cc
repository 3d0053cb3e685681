#include "platform/sim/real_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pinlet::sim {

bool ReadWholeFile(const std::string& path, std::string& content, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::string* error) {
  std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) {
      if (error) *error = "cannot write " + temporary;
      return false;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, path, code);
  if (code) {
    std::filesystem::remove(temporary, code);
    if (error) *error = "cannot replace " + path;
    return false;
  }
  return true;
}

}  // namespace pinlet::sim
