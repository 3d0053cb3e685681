// The sharing product's file, registry and identity routines.
//
// At start-up the Outlook connector places the sharing product's per-user
// database and log with these routines before it hands the extension
// object over (sharing_startup.h): the personal folder, the Windows user
// name and the Outlook profile name make the database's path; the database
// is copied from the template in the install folder when it is missing; a
// log grown too long is trimmed. The module also holds the add-in's one
// shared CDO session, which the note store uses for document items too.
//
// Routines that call the host report an unexpected failure through the
// common error reporter with the tag "basRelaybook(Function Name)" or
// "basRelaybook(Sub Name)" and return their default; the others answer
// failure. The only failures the user sees are the two messages
// kCopyFailedMessage and kRenameFailedMessage.
#ifndef PINLET_SHARING_BAS_RELAYBOOK_H_
#define PINLET_SHARING_BAS_RELAYBOOK_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "addin/context.h"
#include "platform/variant.h"

namespace pinlet::basRelaybook {

// The sharing product's registry key under the current user.
constexpr std::string_view kRelaybookKey = "Software\\Zarvo\\Relaybook\\1.0";
constexpr std::string_view kDatabaseName = "relaybook.mdb";
constexpr std::string_view kLogName = "Relaybook.log";
constexpr std::string_view kTempLogName = "temp.log";
// A log longer than this is trimmed to at most kLogKeptBytes.
constexpr uint64_t kLogTrimAbove = 512000;
constexpr uint64_t kLogKeptBytes = 300000;
constexpr std::string_view kCopyFailedMessage =
    "Unable to copy database to proper location";
constexpr std::string_view kRenameFailedMessage = "Unable to rename database";

// What makes the database's place: filled once at start-up.
struct SharingPlacement {
  std::string personal_dir;  // ends in "\"; "" when it could not be found
  std::string user_name;
  std::string profile_name;
};

// The database file of a placement: the personal folder, then the user
// name, the profile name and "relaybook.mdb" joined into one file name that
// holds no character a file name cannot (platform/file_names.h), so the
// file always lies in the personal folder. "" without a personal folder.
std::string DatabasePathFor(const SharingPlacement& placement);

// False for an empty path and for one ending in "\" (or "/"); otherwise
// whether the path names a file.
bool FileExists(AddinContext& ctx, std::string_view path);

// Trims the log `file_name` in `folder` (which ends in "\") when it is longer
// than kLogTrimAbove bytes: the log keeps at most its last kLogKeptBytes
// bytes, from the first line that starts there, byte for byte (a last line
// without a line end stays as it is). A last line longer than that is kept
// whole, and a log that is one line is left as it is. A line ends at "\r\n", "\n" or a lone
// "\r". The trimmed log is written to "temp.log" beside it and renamed over
// the log in one step; on any failure the log stays untouched and
// "temp.log" is removed, and a failed rename shows kRenameFailedMessage.
// Returns true when the log was trimmed.
bool ReduceFile(AddinContext& ctx, std::string_view folder, std::string_view file_name);

// The Windows user name, cut at a terminating zero; "" on failure.
std::string GetCurrentUserName(AddinContext& ctx);
// The Outlook profile's name through a new "Redemption.RDOSession" logged on
// to the running session; "" on failure (reported).
std::string GetProfileName(AddinContext& ctx);

// The add-in's one shared CDO session (ctx.cdo_session): created and logged
// on to the running Outlook session at the first call, the same object
// afterwards. nullptr when CDO fails (reported; the next call tries again).
std::shared_ptr<CdoSession> GetCDOObject(AddinContext& ctx);

// The product's personal folder, ending in "\", for the add-in `name`:
// mode 1, the user's Application Data folder with `name` below it; mode 2,
// "MyDir" under kRelaybookKey, or mode 1's folder when that is empty; mode 3,
// mode 1's folder, which it also stores as "MyDir" under kRelaybookKey,
// together with the log's name ("LogFile" = "Relaybook.log") under that key's
// "Settings\<name>". "" for any other mode or when no folder is known.
std::string GetPersonalDir(AddinContext& ctx, int mode, std::string_view name);

// "InstDir" under the add-in's key, ending in "\"; "C:\" when absent.
std::string GetInstallDir(AddinContext& ctx);

// Writes a value (type 1 text, 4 number) under `key`. An empty key name is
// refused with "Invalid KeyName value" from ".CRegistry", which is reported.
// Returns true when the value was written.
bool SetValue(AddinContext& ctx, std::string_view key, std::string_view name, int type,
              const Variant& value);

// The 32-bit value with its four bytes in the opposite order.
int32_t SwapEndian(int32_t value);
// `text` with its %NAME% references expanded; `text` itself on failure.
std::string ExpandEnvStr(AddinContext& ctx, std::string_view text);
// Copies `source` to `target`, never over an existing file; shows
// kCopyFailedMessage and returns false on failure.
bool CopyFile(AddinContext& ctx, std::string_view source, std::string_view target);

}  // namespace pinlet::basRelaybook

#endif  // PINLET_SHARING_BAS_RELAYBOOK_H_
