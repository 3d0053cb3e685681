// The add-in's settings: registry values under the current user's branch
// "Software\Zarvo\Pinlet" and its subkeys "\Note", "\folders" and "\Shared".
//
// Every reader reads the registry at the moment it needs a value; nothing is
// cached. Values are stored as Unicode text (REG_SZ); readers convert through
// the shared conversions of platform/variant.h, so a value that is not a
// number reads as 0 (off), and a value another tool stored as REG_DWORD reads
// as that number. Read and write failures never reach callers.
#ifndef PINLET_ADDIN_SETTINGS_H_
#define PINLET_ADDIN_SETTINGS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/variant.h"

namespace pinlet {

// Root keys the registry module accepts; the add-in uses only the current user's.
enum class RootKey { kCurrentUser };

constexpr std::string_view kPinletKey = "Software\\Zarvo\\Pinlet";
constexpr std::string_view kNoteKey = "Software\\Zarvo\\Pinlet\\Note";
constexpr std::string_view kFoldersKey = "Software\\Zarvo\\Pinlet\\folders";
constexpr std::string_view kSharedKey = "Software\\Zarvo\\Pinlet\\Shared";

// Value types of WriteValue.
constexpr int kWriteText = 1;   // REG_SZ
constexpr int kWriteDword = 4;  // REG_DWORD

// The value `name` of `section`: text for REG_SZ (a terminating zero
// dropped), a 32-bit integer for REG_DWORD, empty for a missing key, a
// missing value or any other type.
Variant ReadValue(Registry& registry, RootKey root, std::string_view section,
                  std::string_view name);

// Writes one value. A section starting with "\" loses that character; an
// empty section writes nothing and returns false. Text is stored as Unicode,
// so any character reads back as written. Returns false when nothing was
// written (empty section, unknown type, registry failure).
bool WriteValue(Registry& registry, RootKey root, std::string_view section,
                std::string_view name, const Variant& value, int type);

// "InstDir" and "MyDir" of the add-in's key, as the installer wrote them.
std::string GetInstallDir(Registry& registry);
std::string GetMyDir(Registry& registry);

// The same as ReadValue, but nullopt when the registry could not be read,
// which a missing value is not: for the few readers that must tell a failed
// read from an absent value.
std::optional<Variant> ReadValueIfReadable(Registry& registry, std::string_view section,
                                           std::string_view name);

// Option readers of the "\Note" key and others, all through one conversion.
std::string ReadText(Registry& registry, std::string_view section, std::string_view name);
int32_t ReadNumber(Registry& registry, std::string_view section, std::string_view name);
// The default background of a new note ("BackColor" of the "\Note" key).
// A value never stored gives the pale note colour, not black: the note
// window and the options dialog both show and keep that default.
constexpr uint32_t kDefaultNoteColour = 0xC0FFFF;
uint32_t ReadNoteBackColor(Registry& registry);
// A check-box option: on when its value converts to 1.
bool ReadCheck(Registry& registry, std::string_view section, std::string_view name);
// Writes text under a section of the current user's branch.
bool WriteText(Registry& registry, std::string_view section, std::string_view name,
               std::string_view text);

// The small registry class: set ClassKey and SectionKey, then enumerate.
class cRegistry {
 public:
  explicit cRegistry(Registry& registry) : registry_(registry) {}

  RootKey ClassKey = RootKey::kCurrentUser;
  std::string SectionKey;

  // Fills `names` with the names of all values of the key and `count` with
  // their number; returns true when the key could be opened, false (and
  // nothing filled) otherwise.
  bool EnumerateValues(std::vector<std::string>& names, int& count);

 private:
  Registry& registry_;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_SETTINGS_H_
