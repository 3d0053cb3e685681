#include "platform/win32/win32_support_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "libzarvo/resource_ids.h"
#include "platform/wide_text.h"
#include "platform/host_error.h"
#include "platform/support_library_texts.h"
#include "platform/win32/import_table.h"
#include "platform/win32/modal_answerer.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int32_t kModule = 0x11000000;

// What the library shows, answered as a user would: the about box read and
// closed with OK (after Help, when asked), a message box read and closed.
struct Screen {
  struct Shown {
    std::string caption, text;
  };
  std::vector<Shown> shown;
  bool press_help = false;

  bool Answer(HWND window) {
    std::string caption = dialog::Text(window);
    if (dialog::IsMessageBox(window)) {
      shown.push_back({caption, dialog::MessageBoxText(window)});
      return dialog::Press(window, IDOK);
    }
    shown.push_back({caption, dialog::ItemText(window, IDC_ABOUT_PRODUCT) + "|" +
                                  dialog::ItemText(window, IDC_ABOUT_VERSION) + "|" +
                                  dialog::ItemText(window, IDC_ABOUT_DESCRIPTION) + "|" +
                                  dialog::ItemText(window, IDC_ABOUT_HELP) + "|" +
                                  dialog::ItemText(window, IDOK)});
    if (press_help) dialog::Press(window, IDC_ABOUT_HELP);
    return dialog::Press(window, IDOK);
  }
};

// The shell as the library calls it: each file opened, and nothing started.
std::vector<std::string>* g_opened = nullptr;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR,
                                    INT) {
  if (g_opened)
    g_opened->push_back(Narrow(verb ? verb : L"") + " " + Narrow(file ? file : L""));
  return reinterpret_cast<HINSTANCE>(42);
}

class Win32SupportLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(files.CreateFolder(library_folder));
    ASSERT_TRUE(files.CreateFolder(user_folder));
    Place("LibZarvo.dll");
  }
  void TearDown() override {
    g_opened = nullptr;
    if (module_) FreeLibrary(std::exchange(module_, nullptr));
  }

  // Puts a library built beside the tests into the library folder as
  // LibZarvo.dll.
  void Place(const std::string& built) {
    ASSERT_TRUE(files.Copy(testing::ProgramFolder() + built,
                           library_folder + "\\LibZarvo.dll", true))
        << built;
  }
  // What the installer records: the user's folder.
  void Install() {
    ASSERT_TRUE(registry.SetValue("Software\\Zarvo\\Pinlet", "MyDir",
                                  RegValue::Text(user_folder + "\\")));
  }
  // Loads the library, its shell calls redirected to the test.
  std::shared_ptr<Win32SupportLibrary> Load() {
    std::shared_ptr<Win32SupportLibrary> library =
        Win32SupportLibrary::Load(library_folder);
    module_ = LoadLibraryW(Wide(library_folder + "\\LibZarvo.dll").c_str());
    g_opened = &opened;
    EXPECT_TRUE(ReplaceImport(module_, "SHELL32.dll", "ShellExecuteW",
                              reinterpret_cast<void*>(&RecordShellExecute)));
    return library;
  }
  // Installs a help page of the library folder's.
  void InstallPage(const std::string& page) {
    ASSERT_TRUE(files.CreateFolder(library_folder + "\\help"));
    testing::WriteRaw(library_folder + "\\help\\" + page, "<html></html>");
  }
  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::string log = files.ReadFile(user_folder + "\\LibZarvo.log").value_or("");
    for (size_t end; (end = log.find("\r\n")) != std::string::npos; log.erase(0, end + 2))
      lines.push_back(log.substr(0, end));
    return lines;
  }
  // A log line without its time, which must be a time of this test. The log
  // shows whole seconds, rounded to the nearest: a second either side.
  std::string Untimed(const std::string& line) {
    size_t tab = line.find('\t');
    std::optional<Date> when = Date::Parse(line.substr(0, tab));
    constexpr double kSecond = 1.0 / 86400;
    EXPECT_TRUE(when && !(*when < Date(start.value() - kSecond)) &&
                !(Date(Win32Clock().Now().value() + kSecond) < *when))
        << line;
    return tab == std::string::npos ? line : line.substr(tab + 1);
  }
  int32_t Init(Win32SupportLibrary& library) {
    return library.Init(kModule, 2, nullptr, 14, [this] {
      ++quick_starts;
      return 0;
    });
  }

  testing::TestCurrentUser user;
  testing::TestFolder dir;
  Win32FileSystem files;
  Win32Registry registry;
  const std::string library_folder = dir / "Zarvo \xC3\xA9";
  const std::string user_folder = dir / "My Notes";
  const Date start = Win32Clock().Now();
  int quick_starts = 0;
  Screen screen;
  std::vector<std::string> opened;
  ModalAnswerer answerer{[this](HWND window) { return screen.Answer(window); }};

 private:
  HMODULE module_ = nullptr;
};

TEST_F(Win32SupportLibraryTest, CallsReachTheLibraryAndItsLog) {
  Install();
  std::shared_ptr<Win32SupportLibrary> library = Load();
  EXPECT_EQ(Init(*library), 0);
  EXPECT_EQ(quick_starts, 1);  // called back through the stdcall pointer
  // Texts travel in the system code page; "é" is in every Western one.
  const bool western = GetACP() == 1252;
  const std::string description = western ? "Note not saved: caf\xC3\xA9" : "Not saved";
  EXPECT_EQ(library->LogMsg(kModule, description, 5, "frmNote.Save", 3, 1), 0);
  EXPECT_EQ(library->ShowAbout(kModule), 0);
  InstallPage("notes.htm");
  EXPECT_EQ(library->ShowContextHelp(kModule, "notes.htm"), 0);
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Untimed(lines[0]), "level 3\t5\tfrmNote.Save\t" + description);
  EXPECT_EQ(Untimed(lines[1]), "ShowAbout");
  EXPECT_EQ(Untimed(lines[2]), "ShowContextHelp notes.htm");
}

TEST_F(Win32SupportLibraryTest, TheLogWaitsForTheUsersFolder) {
  {
    std::shared_ptr<Win32SupportLibrary> library = Load();
    EXPECT_EQ(Init(*library), 0);  // no "MyDir" yet
    EXPECT_EQ(library->LogMsg(kModule, "lost", 1, "t", 3, 1), 0);
    EXPECT_EQ(library->ShowAbout(kModule), 0);
  }
  TearDown();
  Install();
  std::shared_ptr<Win32SupportLibrary> library = Load();
  // The folder is read when the library initialises, not before.
  EXPECT_EQ(library->LogMsg(kModule, "early", 1, "t", 3, 1), 0);
  EXPECT_THAT(files.List(user_folder).value(), ElementsAre());
  EXPECT_EQ(Init(*library), 0);
  EXPECT_EQ(library->LogMsg(kModule, "kept", 2, "t", 3, 1), 0);
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Untimed(lines[0]), "level 3\t2\tt\tkept");
}

// The about box shows the product, its version and what it does; Help opens
// the help index and leaves the box up, OK closes it.
TEST_F(Win32SupportLibraryTest, TheAboutBoxShowsTheProductAndOpensTheHelpIndex) {
  Install();
  InstallPage("index.htm");
  std::shared_ptr<Win32SupportLibrary> library = Load();
  screen.press_help = true;
  EXPECT_EQ(library->ShowAbout(kModule), 0);
  ASSERT_EQ(screen.shown.size(), 1u);
  EXPECT_EQ(screen.shown[0].caption, "About Pinlet");
  EXPECT_EQ(screen.shown[0].text, std::string("Pinlet|Version ") + PINLET_VERSION_TEXT +
                                      "|" PINLET_DESCRIPTION "|Help|OK");
  EXPECT_THAT(opened, ElementsAre("open " + library_folder + "\\help\\index.htm"));
  EXPECT_TRUE(answerer.cancelled().empty());
}

// A page opens from the help folder of the install folder the installer
// recorded, or of the library's own folder without one; a page that is not
// there, or a name that is not a page's, is named to the user and nothing
// opens.
TEST_F(Win32SupportLibraryTest, AHelpPageOpensFromTheInstallFolderOrIsNamedWhenMissing) {
  InstallPage("About_Pinlet.htm");
  std::shared_ptr<Win32SupportLibrary> library = Load();
  EXPECT_EQ(library->ShowContextHelp(kModule, "About_Pinlet.htm"), 0);
  EXPECT_THAT(opened, ElementsAre("open " + library_folder + "\\help\\About_Pinlet.htm"));

  const std::string elsewhere = dir / "Installed";
  ASSERT_TRUE(files.CreateFolder(elsewhere));
  ASSERT_TRUE(registry.SetValue("Software\\Zarvo\\Pinlet", "InstDir",
                                RegValue::Text(elsewhere)));  // without its "\\"
  EXPECT_EQ(library->ShowContextHelp(kModule, "About_Pinlet.htm"), 0);
  EXPECT_EQ(library->ShowContextHelp(kModule, "..\\help\\About_Pinlet.htm"), 0);
  EXPECT_EQ(opened.size(), 1u);
  ASSERT_EQ(screen.shown.size(), 2u);
  EXPECT_EQ(screen.shown[0].caption, "Pinlet Help");
  EXPECT_THAT(screen.shown[0].text,
              HasSubstr("\"About_Pinlet.htm\" is not installed. Pinlet looked for it at:\r\n" +
                        elsewhere + "\\help\\About_Pinlet.htm"));
  EXPECT_THAT(screen.shown[1].text, HasSubstr("\"..\\help\\About_Pinlet.htm\""));
}

// The library as a package installed it (the Windows tests run this after
// installing, with PINLET_INSTALLED_FOLDER naming the install folder):
// every page the add-in opens is there and opens, and the about box and
// both DLLs' version resources show the project's version.
TEST(InstalledSupportLibraryTest, OpensEveryInstalledPageAndShowsItsVersion) {
  const char* installed = std::getenv("PINLET_INSTALLED_FOLDER");
  if (!installed) GTEST_SKIP() << "no installed package (PINLET_INSTALLED_FOLDER)";
  std::string folder = installed;
  if (!folder.ends_with('\\')) folder += '\\';
  for (const char* dll : {"pinlet.dll", "LibZarvo.dll"}) {
    std::wstring path = Wide(folder + dll);
    DWORD handle = 0, size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<char> info(size);
    ASSERT_TRUE(size && GetFileVersionInfoW(path.c_str(), 0, size, info.data())) << dll;
    wchar_t* version = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&version), &length));
    EXPECT_EQ(Narrow(std::wstring(version, length ? length - 1 : 0)), PINLET_VERSION_TEXT)
        << dll;
  }
  std::vector<std::string> opened;
  g_opened = &opened;
  Screen screen;
  screen.press_help = true;
  ModalAnswerer answerer([&](HWND window) { return screen.Answer(window); });
  std::shared_ptr<Win32SupportLibrary> library = Win32SupportLibrary::Load(folder);
  HMODULE module = GetModuleHandleW(Wide(folder + "LibZarvo.dll").c_str());
  ASSERT_TRUE(ReplaceImport(module, "SHELL32.dll", "ShellExecuteW",
                            reinterpret_cast<void*>(&RecordShellExecute)));
  std::vector<std::string> expected;
  for (const char* page : {"About_Pinlet.htm", "Accessing_Pinlet_Options.htm",
                           "Insert_Note_to_Reply_Forward_letter.htm",
                           "Editing_Note_Using_Pinlet_Actions.htm"}) {
    EXPECT_EQ(library->ShowContextHelp(0, page), 0);
    expected.push_back("open " + folder + "help\\" + page);
  }
  EXPECT_EQ(library->ShowAbout(0), 0);
  expected.push_back("open " + folder + "help\\index.htm");
  g_opened = nullptr;
  EXPECT_EQ(opened, expected);
  ASSERT_EQ(screen.shown.size(), 1u) << screen.shown[0].text;
  EXPECT_EQ(screen.shown[0].caption, "About Pinlet");
  EXPECT_THAT(screen.shown[0].text, HasSubstr(std::string("Version ") + PINLET_VERSION_TEXT));
}

TEST_F(Win32SupportLibraryTest, AMissingOrIncompleteLibraryCannotBeCreated) {
  auto error_of = [](const std::string& folder) {
    std::optional<HostError> error = Attempt([&] { Win32SupportLibrary::Load(folder); });
    return error ? error->number() : 0;
  };
  EXPECT_EQ(error_of(user_folder), errors::kCannotCreateObject);
  EXPECT_EQ(error_of(dir / "Missing"), errors::kCannotCreateObject);
  EXPECT_EQ(error_of(dir / "CON"), errors::kCannotCreateObject);
  EXPECT_EQ(error_of(""), errors::kCannotCreateObject);
  testing::WriteRaw(user_folder + "\\LibZarvo.dll", "MZ, but no library");
  EXPECT_EQ(error_of(user_folder), errors::kCannotCreateObject);
  Place("PartialZarvo.dll");
  std::optional<HostError> error =
      Attempt([&] { Win32SupportLibrary::Load(library_folder); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), errors::kCannotCreateObject);
  EXPECT_THAT(error->description(), HasSubstr("has no LibZarvoLogMsg"));
}

}  // namespace
}  // namespace pinlet
