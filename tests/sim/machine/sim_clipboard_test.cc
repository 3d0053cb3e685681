#include "sim/machine/sim_clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/dib.h"
#include "platform/host_error.h"
#include "sim/machine/fault_injector.h"
#include "sim/machine/sim_outlook.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

class SimClipboardTest : public ::testing::Test {
 protected:
  FaultInjector faults;
  SimClipboard clipboard{&faults};
};

TEST_F(SimClipboardTest, CallsNeedTheClipboardOpenAndAnotherHolderKeepsItShut) {
  EXPECT_FALSE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_FALSE(clipboard.GetData(cf::kText));
  clipboard.set_held_by_other(true);
  EXPECT_FALSE(clipboard.Open());
  clipboard.set_held_by_other(false);
  ASSERT_TRUE(clipboard.Open());
  EXPECT_TRUE(clipboard.SetData(cf::kText, TextBlock("x")));
  EXPECT_TRUE(clipboard.Close());
  EXPECT_FALSE(clipboard.Close());
  EXPECT_TRUE(clipboard.IsFormatAvailable(cf::kText));  // needs no Open
}

TEST_F(SimClipboardTest, UnicodeTextIsSynthesisedFromAnsiTextAndBack) {
  clipboard.Put({{cf::kText, TextBlock("caf\xC3\xA9 \xE2\x82\xAC")}});  // "café €"
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.EnumFormats(),
            (std::vector<uint32_t>{cf::kText, cf::kUnicodeText, cf::kOemText}));
  auto unicode = clipboard.GetData(cf::kUnicodeText);
  ASSERT_TRUE(unicode);
  EXPECT_EQ(TextFromUnicodeBlock(*unicode), "caf\xC3\xA9 \xE2\x82\xAC");
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_TRUE(clipboard.SetData(cf::kUnicodeText, UnicodeTextBlock("\xCE\xA9")));  // Ω
  // Nothing is synthesised while the caller that set it holds it open.
  EXPECT_FALSE(clipboard.GetData(cf::kText));
  ASSERT_TRUE(clipboard.Close());
  ASSERT_TRUE(clipboard.Open());
  // Omega has no single-byte form: the synthesised CF_TEXT holds "?".
  EXPECT_EQ(TextFromBlock(*clipboard.GetData(cf::kText)), "?");
  EXPECT_FALSE(clipboard.GetData(cf::kDib));
}

TEST_F(SimClipboardTest, RegisteredFormatsKeepTheirNumberAndFailuresAreAnswers) {
  uint32_t face = clipboard.RegisterFormat("Toolbar Button Face");
  EXPECT_GE(face, cf::kFirstRegistered);
  EXPECT_EQ(clipboard.RegisterFormat("toolbar button face"), face);
  EXPECT_NE(clipboard.RegisterFormat("Toolbar Button Mask"), face);
  EXPECT_EQ(clipboard.FormatName(face), "\"Toolbar Button Face\"");
  faults.FailMember("OpenClipboard");
  EXPECT_FALSE(clipboard.Open());
  faults.Clear();
  ASSERT_TRUE(clipboard.Open());
  faults.FailMember("SetClipboardData");
  EXPECT_FALSE(clipboard.SetData(face, "bits"));
  EXPECT_TRUE(clipboard.writes().empty());
}

// 3 x 2 pixels; the white ones are to be transparent.
Picture Face() {
  return Picture{3, 2, 24, {0x0000FF, kWhite, 0x00FF00, kWhite, 0xFF0000, 0x123456}};
}

// The add-in's and the machine's work on a world's clipboard, the button
// faces pasted from it included, as the answers it gives.
std::vector<std::string> ClipboardWork(World& world) {
  std::vector<std::string> answers;
  auto say = [&](auto answer) { answers.push_back(std::to_string(answer)); };
  world.store.AddStore("Mailbox", true);
  auto outlook = std::make_shared<SimOutlook>(&world, std::vector<std::string>{});
  auto button = outlook->OpenExplorer()
                    ->CommandBars()
                    ->Item("Standard")
                    ->Controls()
                    ->Add(office::kControlButton);
  auto paste = [&] {
    try {
      button->PasteFace();
      answers.push_back("pasted " + std::to_string(button->Picture().pixels.size()) +
                        "+" + std::to_string(button->Mask().pixels.size()));
    } catch (const HostError& e) {
      answers.push_back(e.description());
    }
  };
  auto look = [&] {
    SimClipboard& clipboard = world.clipboard;
    say(clipboard.is_open());
    say(clipboard.held_by_other());
    for (auto& [format, block] : clipboard.contents())
      answers.push_back(clipboard.FormatName(format) + " " +
                        std::to_string(block.size()));
  };
  Clipboard& addin = world.clipboard;
  // The add-in puts a face and its mask on the clipboard, as at every start.
  uint32_t face = addin.RegisterFormat("Toolbar Button Face");
  uint32_t mask = addin.RegisterFormat("Toolbar Button Mask");
  say(face == addin.RegisterFormat("TOOLBAR button face"));
  const std::string mask_block =
      MaskDibFromPicture(Face(), kWhite) + std::string(50, '\0');
  say(addin.Open());
  say(addin.Empty());
  say(addin.SetData(cf::kDib, DibFromPicture(Face())));
  say(addin.IsFormatAvailable(cf::kBitmap));
  say(addin.GetData(cf::kDib) == DibFromPicture(Face()));
  say(addin.SetData(face, DibFromPicture(Face())));
  say(addin.SetData(mask, mask_block));
  look();
  paste();  // the clipboard is still open
  say(addin.Close());
  say(addin.Close());
  look();
  const std::string* mask_seen =
      world.clipboard.Peek(world.clipboard.RegisteredFormat("toolbar button mask"));
  say(mask_seen && *mask_seen == mask_block);
  say(world.clipboard.Peek(cf::kBitmap) == nullptr);  // synthesised, not set
  paste();
  // Another program holds the clipboard, then puts text on it.
  world.clipboard.set_held_by_other(true);
  say(addin.Open());
  paste();
  look();
  world.clipboard.set_held_by_other(false);
  world.clipboard.Put({{cf::kUnicodeText, UnicodeTextBlock("\xCE\xA9 caf\xC3\xA9")}});
  look();
  say(world.clipboard.Peek(cf::kText) == nullptr);
  paste();
  say(addin.Open());
  for (uint32_t format : addin.EnumFormats()) say(format);
  answers.push_back(TextFromBlock(addin.GetData(cf::kText).value_or("(none)")));
  world.faults.FailMember("SetClipboardData");
  say(addin.SetData(cf::kText, TextBlock("refused")));
  world.faults.Clear();
  say(addin.Empty());
  say(addin.Close());
  say(addin.IsFormatAvailable(cf::kUnicodeText));
  look();
  say(world.clipboard.writes().size());
  say(world.faults.call_count());
  return answers;
}

// The machine's own work and the add-in's give the same answers whether the
// clipboard is the one in memory or a host's (here another simulated
// clipboard stands for the system's).
TEST(SimClipboardOnAHostTest, TheWorkIsTheSameOnAHostsClipboard) {
  World in_memory;
  std::vector<std::string> expected = ClipboardWork(in_memory);
  FaultInjector host_faults;
  SimClipboard host(&host_faults);
  World on_host;
  on_host.UseHostClipboard(&host);
  EXPECT_EQ(ClipboardWork(on_host), expected);
  EXPECT_EQ(on_host.clipboard.writes(), in_memory.clipboard.writes());
  // The host took the add-in's blocks, and the machine's own Put after them.
  auto add_ins = in_memory.clipboard.writes();
  ASSERT_EQ(host.writes().size(), add_ins.size() + 1);
  EXPECT_TRUE(std::equal(add_ins.begin(), add_ins.end(), host.writes().begin()));
  EXPECT_EQ(host.writes().back().first, cf::kUnicodeText);
  // What the add-in pasted is the face and its mask, both times.
  EXPECT_NE(std::find(expected.begin(), expected.end(), "pasted 6+6"), expected.end());
}

TEST(SimClipboardOnAHostTest, TheMachinesLooksAnswerFromTheHost) {
  FaultInjector faults, host_faults;
  SimClipboard host(&host_faults);
  SimClipboard clipboard(&faults);
  clipboard.UseHostClipboard(&host);
  uint32_t face = clipboard.RegisteredFormat("Toolbar Button Face");
  EXPECT_EQ(face, host.RegisteredFormat("Toolbar Button Face"));  // registered there
  EXPECT_EQ(clipboard.FormatName(face), "\"Toolbar Button Face\"");
  host.Put({{cf::kText, TextBlock("a")}, {face, "face"}});
  const std::string* text = clipboard.Peek(cf::kText);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, TextBlock("a"));
  host.Put({});
  EXPECT_EQ(*text, TextBlock("a")) << "kept until the next Peek";
  EXPECT_EQ(clipboard.Peek(cf::kText), nullptr);
  EXPECT_FALSE(host.is_open());  // each look closes what it opened
  // The host held by another program: the looks find nothing to read, the
  // machine's Put changes nothing, and the add-in cannot open it.
  host.Put({{face, "face"}});
  host.set_held_by_other(true);
  EXPECT_TRUE(clipboard.held_by_other());
  EXPECT_EQ(clipboard.Peek(face), nullptr);
  EXPECT_TRUE(clipboard.contents().empty());
  clipboard.Put({{cf::kText, TextBlock("lost")}});
  EXPECT_FALSE(clipboard.Open());
  host.set_held_by_other(false);
  EXPECT_EQ(host.contents(),
            (std::vector<std::pair<uint32_t, std::string>>{{face, "face"}}));
  EXPECT_EQ(faults.call_count(), 1);  // only the add-in's Open
}

}  // namespace
}  // namespace pinlet::sim
