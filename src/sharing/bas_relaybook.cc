#include "sharing/bas_relaybook.h"

#include <cctype>

#include "addin/error_report.h"
#include "addin/settings.h"
#include "platform/file_names.h"
#include "platform/host_error.h"

namespace pinlet::basRelaybook {
namespace {

std::string Folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string WithBackslash(std::string path) {
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path;
}

// Whether a line of `text` starts at `at`: the start, or just after "\n" or
// a "\r" that no "\n" follows.
bool LineStartsAt(std::string_view text, size_t at) {
  if (at == 0) return true;
  char before = text[at - 1];
  return before == '\n' || (before == '\r' && (at == text.size() || text[at] != '\n'));
}

// Where the trimmed log starts: the first line start that leaves at most
// kLogKeptBytes bytes after it; when the last line alone is longer, the
// start of that line, which is kept whole.
size_t TrimStart(std::string_view text) {
  if (text.size() <= kLogKeptBytes) return 0;
  size_t at = text.size() - kLogKeptBytes;
  while (at < text.size() && !LineStartsAt(text, at)) ++at;
  if (at < text.size()) return at;
  at = text.size() - kLogKeptBytes;
  while (!LineStartsAt(text, at)) --at;
  return at;
}

}  // namespace

std::string DatabasePathFor(const SharingPlacement& placement) {
  if (placement.personal_dir.empty()) return "";
  std::string name =
      placement.user_name + placement.profile_name + std::string(kDatabaseName);
  return WithBackslash(placement.personal_dir) + SafeFileName(name, kDatabaseName);
}

bool FileExists(AddinContext& ctx, std::string_view path) {
  if (path.empty() || path.back() == '\\' || path.back() == '/') return false;
  return ctx.platform.files->FileExists(path);
}

bool ReduceFile(AddinContext& ctx, std::string_view folder, std::string_view file_name) {
  FileSystem& files = *ctx.platform.files;
  std::string dir = WithBackslash(std::string(folder));
  std::string log = dir + std::string(file_name);
  std::string temp = dir + std::string(kTempLogName);
  if (!FileExists(ctx, log)) return false;
  std::optional<uint64_t> size = files.Size(log);
  if (!size || *size <= kLogTrimAbove) return false;
  std::optional<std::string> text = files.ReadFile(log);
  // A log read short, or one named like the temporary file, is left alone.
  if (!text || text->size() <= kLogTrimAbove) return false;
  if (Folded(temp) == Folded(log)) return false;
  size_t start = TrimStart(*text);
  if (start == 0) return false;  // one line: there is nothing to trim
  std::string_view kept = std::string_view(*text).substr(start);
  if (!files.WriteFile(temp, kept)) {
    files.Remove(temp);
    return false;
  }
  // The trimmed log replaces the log in one step: the log is never missing.
  if (!files.Rename(temp, log, true)) {
    files.Remove(temp);
    ShowMessage(ctx, kRenameFailedMessage, mb::kOkOnly | mb::kExclamation);
    return false;
  }
  return true;
}

std::string GetCurrentUserName(AddinContext& ctx) {
  std::optional<std::string> name = ctx.platform.shell->UserName();
  if (!name) return "";
  return name->substr(0, name->find('\0'));
}

std::string GetProfileName(AddinContext& ctx) {
  return RunGuarded(
      ctx, "basRelaybook(Function GetProfileName)", std::string(), [&](Proc&) {
        std::shared_ptr<RdoSession> session = ctx.platform.objects->CreateRdoSession();
        Must(session).Logon(false, false);
        return session->ProfileName();
      });
}

std::shared_ptr<CdoSession> GetCDOObject(AddinContext& ctx) {
  if (ctx.cdo_session) return ctx.cdo_session;
  return RunGuarded(ctx, "basRelaybook(Function GetCDOObject)",
                    std::shared_ptr<CdoSession>(), [&](Proc&) {
                      std::shared_ptr<CdoSession> session =
                          ctx.platform.objects->CreateCdoSession();
                      Must(session).Logon(false, false);
                      // Kept only once it is logged on.
                      ctx.cdo_session = session;
                      return session;
                    });
}

std::string GetPersonalDir(AddinContext& ctx, int mode, std::string_view name) {
  switch (mode) {
    case 1: {
      std::optional<std::string> folder =
          ctx.platform.shell->SpecialFolderPath(csidl::kAppData, true);
      if (!folder || folder->empty()) return "";
      return WithBackslash(*folder) + std::string(name) + "\\";
    }
    case 2: {
      std::string folder = ReadText(ctx.registry(), kRelaybookKey, "MyDir");
      return folder.empty() ? GetPersonalDir(ctx, 1, name) : WithBackslash(folder);
    }
    case 3: {
      std::string folder = GetPersonalDir(ctx, 1, name);
      if (folder.empty()) return "";
      SetValue(ctx, kRelaybookKey, "MyDir", kWriteText, Variant(folder));
      SetValue(ctx, std::string(kRelaybookKey) + "\\Settings\\" + std::string(name),
               "LogFile", kWriteText, Variant(kLogName));
      return folder;
    }
    default:
      return "";
  }
}

std::string GetInstallDir(AddinContext& ctx) {
  std::string folder = ReadText(ctx.registry(), kPinletKey, "InstDir");
  return folder.empty() ? "C:\\" : WithBackslash(folder);
}

bool SetValue(AddinContext& ctx, std::string_view key, std::string_view name, int type,
              const Variant& value) {
  return RunGuarded(ctx, "basRelaybook(Function SetValue)", false, [&](Proc&) {
    if (key.empty())
      throw HostError(errors::kRegistryKeyName, "Invalid KeyName value", ".CRegistry");
    return WriteValue(ctx.registry(), RootKey::kCurrentUser, key, name, value, type);
  });
}

int32_t SwapEndian(int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  v = (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
  return static_cast<int32_t>(v);
}

std::string ExpandEnvStr(AddinContext& ctx, std::string_view text) {
  return ctx.platform.shell->ExpandEnvironment(text).value_or(std::string(text));
}

bool CopyFile(AddinContext& ctx, std::string_view source, std::string_view target) {
  if (ctx.platform.files->Copy(source, target, false)) return true;
  ShowMessage(ctx, kCopyFailedMessage, mb::kOkOnly | mb::kExclamation);
  return false;
}

}  // namespace pinlet::basRelaybook
