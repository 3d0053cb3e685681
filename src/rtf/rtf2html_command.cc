#include "rtf/rtf2html_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>
#include <utility>

#include "rtf/rtf2html.h"

namespace pinlet {
namespace {

constexpr const char* kUsage = "usage: pinlet rtf2html [--options TEXT] [FILE|-]";

int Fail(std::ostream& err, const std::string& message) {
  err << "pinlet rtf2html: " << message << '\n';
  return 2;
}

// Reads the whole stream; nullopt if reading failed before its end.
std::optional<std::string> ReadAll(std::istream& in) {
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(buffer).str();
}

}  // namespace

int RunRtf2HtmlCommand(const std::vector<std::string>& args, std::istream& in,
                       std::ostream& out, std::ostream& err) {
  std::string options = kRtf2HtmlDefaultOptions;
  std::optional<std::string> file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--options") {
      if (i + 1 == args.size())
        return Fail(err, "--options needs a value; " + std::string(kUsage));
      options = args[++i];
    } else if (arg.starts_with("--options=")) {
      options = arg.substr(10);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Fail(err, "unknown option '" + arg + "'; " + kUsage);
    } else if (file) {
      return Fail(err, "more than one input file; " + std::string(kUsage));
    } else {
      file = arg;
    }
  }

  std::string rtf;
  if (!file || *file == "-") {
    auto text = ReadAll(in);
    if (!text) return Fail(err, "cannot read standard input");
    rtf = std::move(*text);
  } else {
    std::error_code ec;
    if (std::filesystem::is_directory(*file, ec)) {
      return Fail(err, "cannot read '" + *file + "': it is a directory");
    }
    errno = 0;
    std::ifstream stream(*file, std::ios::binary);
    if (!stream) {
      const char* reason = errno != 0 ? std::strerror(errno) : "cannot open";
      return Fail(err, "cannot open '" + *file + "': " + reason);
    }
    auto text = ReadAll(stream);
    if (!text) return Fail(err, "cannot read '" + *file + "'");
    rtf = std::move(*text);
  }

  out << RTF2HTML(rtf, options);
  out.flush();
  return 0;
}

}  // namespace pinlet
