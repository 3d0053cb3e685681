// What the support library shows, the same on both of its sides: the
// simulated machine's library (sim/machine/world.h) and LibZarvo.dll
// (libzarvo/). Both build their about box and their help paths from these,
// so that a scenario reads the same from either.
//
// The about box: a modal window captioned kAboutCaption with, from top to
// bottom, the product's name, "Version X.Y.Z" (platform/version.h), the
// one-line description, a button kHelpButton that opens the help index and
// leaves the box open, and a button kOkButton that closes it. Its controls'
// names, as a scenario acts on them: lblProduct, lblVersion,
// lblDescription, cmdHelp, cmdOK.
//
// Help: a page is opened with the shell's "open" verb on the file
// help\PAGE of the install folder (the folder of the installed add-in,
// which ends in "\"). A page that is not there is never opened: the user
// gets a message box (kHelpMissingCaption, OK only, an exclamation icon)
// naming it, from MissingPageText; so does a name that is not a plain file
// name (IsPageName), which is never handed to the shell.
#ifndef PINLET_PLATFORM_SUPPORT_LIBRARY_TEXTS_H_
#define PINLET_PLATFORM_SUPPORT_LIBRARY_TEXTS_H_

#include <string>
#include <string_view>

#include "platform/version.h"

namespace pinlet::support_texts {

constexpr std::string_view kAboutCaption = "About Pinlet";
constexpr std::string_view kProductName = PINLET_PRODUCT_NAME;
constexpr std::string_view kDescription = PINLET_DESCRIPTION;
constexpr std::string_view kHelpButton = "Help";
constexpr std::string_view kOkButton = "OK";

// The help folder below the install folder, and the index page that links
// every other.
constexpr std::string_view kHelpFolder = "help\\";
constexpr std::string_view kHelpIndex = "index.htm";
constexpr std::string_view kHelpMissingCaption = "Pinlet Help";

// "Version 1.0.0".
inline std::string VersionLine() { return std::string("Version ") + PINLET_VERSION_TEXT; }

// Whether `page` is a plain file name of the help folder: not empty, and
// without a folder, a drive or a way up.
inline bool IsPageName(std::string_view page) {
  return !page.empty() && page.find_first_of("\\/:") == std::string_view::npos &&
         page.find("..") == std::string_view::npos;
}

// The path of `page` for the install folder `install_dir` (ending in "\").
inline std::string HelpPagePath(std::string_view install_dir, std::string_view page) {
  return std::string(install_dir) + std::string(kHelpFolder) + std::string(page);
}

// The message box's text for a page that is not installed at `path`.
inline std::string MissingPageText(std::string_view page, std::string_view path) {
  return "The help page \"" + std::string(page) +
         "\" is not installed. Pinlet looked for it at:\r\n" + std::string(path) +
         "\r\n\r\nInstall Pinlet again to restore its help pages.";
}

}  // namespace pinlet::support_texts

#endif  // PINLET_PLATFORM_SUPPORT_LIBRARY_TEXTS_H_
