// Office's command bars across COM: bars, controls, the one control object
// of buttons and popups, pictures as IPictureDisp, Click with
// CancelDefault, OnUpdate, and a bar's Parent told apart by QueryInterface.
#include "com_fixture.h"
#include "platform/com/com_picture.h"
#include "sim/machine/sim_command_bars.h"

namespace pinlet::com {
namespace {

using Answers = std::vector<std::string>;
using office::kControlButton;
using office::kControlPopup;
using office::kCustomControlId;

TEST_F(ComObjectsTest, BarMembersAnswerAsTheHostWithOneCallEach) {
  ExpectSameRun([](ol::Application& app, SimHost& sim, Answers& out) {
    sim.outlook->OpenExplorer();
    auto bars = app.ActiveExplorer()->CommandBars();
    out.push_back(std::to_string(bars->Count()) + "|" + bars->Item(1)->Name());
    auto standard = bars->Item("standard");
    out.push_back(standard->Name() + "|" + std::to_string(standard->Index()) + "|" +
                  std::to_string(standard->Type()) + "|" +
                  ToText(Variant(standard->BuiltIn())) + "|" +
                  std::to_string(standard->Controls()->Count()));
    out.push_back(ErrorOf([&] { bars->Item("No such bar"); }));
    // A bar of the add-in's, with a button and a popup.
    auto bar = bars->Add("Pinlet ToolBar", office::kBarTop, false, true);
    bar->SetPosition(office::kBarBottom);
    bar->SetRowIndex(2);
    bar->SetLeft(40);
    bar->SetTop(12);
    bar->SetVisible(true);
    bar->SetEnabled(true);
    out.push_back(std::to_string(bar->Position()) + "|" +
                  std::to_string(bar->RowIndex()) + "|" + std::to_string(bar->Left()) +
                  "|" + std::to_string(bar->Top()) + "|" +
                  ToText(Variant(bar->Visible())) + ToText(Variant(bar->Enabled())));
    auto button =
        bar->Controls()->Add(kControlButton, kCustomControlId, std::nullopt, true);
    button->SetCaption("&Notes");
    button->SetTag("pinlet.notes");
    button->SetTooltipText("Show the notes");
    button->SetStyle(office::kButtonIconAndCaption);
    button->SetFaceId(2950);
    button->SetBeginGroup(true);
    button->SetState(office::kButtonDown);
    button->SetVisible(true);
    button->SetEnabled(true);
    out.push_back(
        button->Caption() + "|" + button->Tag() + "|" + button->TooltipText() + "|" +
        std::to_string(button->Style()) + "|" + std::to_string(button->FaceId()) + "|" +
        ToText(Variant(button->BeginGroup())) + "|" + std::to_string(button->State()) +
        "|" + std::to_string(button->Index()) + "|" + std::to_string(button->Type()) +
        "|" + std::to_string(button->Id()) + "|" + ToText(Variant(button->BuiltIn())) +
        "|" + ToText(Variant(button->Visible())) + ToText(Variant(button->Enabled())));
    out.push_back(button->Parent()->Name());
    auto popup = bar->Controls()->Add(kControlPopup, kCustomControlId, 1, true);
    popup->SetCaption("More");
    auto item =
        popup->Controls()->Add(kControlButton, kCustomControlId, std::nullopt, false);
    item->SetCaption("Options...");
    item->SetTag("pinlet.options");
    out.push_back(std::to_string(popup->Index()) + "|" + popup->CommandBar()->Name() +
                  "|" + std::to_string(popup->CommandBar()->Index()) + "|" +
                  bar->Controls()->Item("more")->Caption() + "|" +
                  bar->Controls()->Item(2)->Caption());
    // Members of the other kind are refused.
    out.push_back(ErrorOf([&] { button->Controls(); }) + "|" +
                  ErrorOf([&] { popup->SetFaceId(1); }) + "|" +
                  ErrorOf([&] { bar->Controls()->Add(7); }) + "|" +
                  ErrorOf([&] { bar->Controls()->Item("Nothing like it"); }));
    // Searches, with criteria left out.
    auto found =
        bar->FindControl(std::nullopt, std::nullopt, "pinlet.options", false, true);
    auto shallow =
        bar->FindControl(std::nullopt, std::nullopt, "pinlet.options", false, false);
    auto anywhere = bars->FindControl(kControlButton, std::nullopt, "pinlet.notes", true);
    auto reply = bars->FindControl(std::nullopt, 354, std::nullopt, false);
    out.push_back((found ? found->Caption() : "Nothing") + "|" +
                  (shallow ? shallow->Caption() : "Nothing") + "|" +
                  (anywhere ? anywhere->Caption() : "Nothing") + "|" +
                  (reply ? reply->Caption() : "Nothing"));
    // A protected bar refuses new controls until the flag is cleared.
    bar->SetProtection(office::kBarNoCustomize);
    out.push_back(std::to_string(bar->Protection()) + "|" +
                  ErrorOf([&] { bar->Controls()->Add(); }));
    bar->SetProtection(office::kBarNoProtection);
    item->Delete();
    out.push_back(std::to_string(popup->Controls()->Count()) + "|" +
                  ErrorOf([&] { item->Caption(); }));
    // A built-in bar is reset, the add-in's deleted.
    standard->Controls()->Add(kControlButton, kCustomControlId, std::nullopt, true);
    standard->Reset();
    out.push_back(std::to_string(standard->Controls()->Count()) + "|" +
                  ErrorOf([&] { standard->Delete(); }));
    bar->Delete();
    out.push_back(std::to_string(bars->Count()) + "|" + ErrorOf([&] { bar->Name(); }));
    auto parent = standard->Parent();
    auto explorer = std::dynamic_pointer_cast<ol::Explorer>(parent);
    out.push_back(explorer ? explorer->Caption() : "no explorer");
  });
}

TEST_F(ComObjectsTest, ABarsParentIsTheClientOfItsWindowWithOneCall) {
  app = ClientOf(host);
  host.outlook->OpenExplorer();
  host.outlook->OpenItem(host.Default(ol::kFolderInbox)->items.front());
  auto explorer = app->ActiveExplorer();
  auto inspector = app->ActiveInspector();
  auto explorer_bar = explorer->CommandBars()->Item("Standard");
  auto inspector_bar = inspector->CommandBars()->Item("Standard");
  size_t mark = host.world.faults.calls().size();
  office::WindowPtr of_explorer = explorer_bar->Parent();
  office::WindowPtr of_inspector = inspector_bar->Parent();
  EXPECT_EQ(host.Calls(mark),
            (std::vector<std::string>{"CommandBar.Parent ", "CommandBar.Parent "}));
  EXPECT_EQ(std::dynamic_pointer_cast<ol::Explorer>(of_explorer), explorer);
  EXPECT_EQ(std::dynamic_pointer_cast<ol::Inspector>(of_inspector), inspector);
  EXPECT_FALSE(std::dynamic_pointer_cast<ol::Inspector>(of_explorer));
  EXPECT_FALSE(std::dynamic_pointer_cast<ol::Explorer>(of_inspector));
}

pinlet::Picture Face(int width, int height, int bits) {
  pinlet::Picture picture;
  picture.width = width;
  picture.height = height;
  picture.bits_per_pixel = bits;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.pixels.push_back(
          static_cast<uint32_t>((x * 16) | (y * 16) << 8 | 0x400000));
  picture.pixels[0] = kMagenta;
  picture.pixels[1] = 0x0000FF;  // pure red: the low byte
  return picture;
}

void ExpectSamePicture(const pinlet::Picture& a, const pinlet::Picture& b) {
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  EXPECT_EQ(a.bits_per_pixel, b.bits_per_pixel);
  EXPECT_EQ(a.pixels, b.pixels);
}

TEST_F(ComObjectsTest, FacesCrossAsPictureObjectsWithTheirColours) {
  app = ClientOf(host);
  auto window = host.outlook->OpenExplorer();
  auto bar =
      app->ActiveExplorer()->CommandBars()->Add("Faces", office::kBarTop, false, true);
  auto button = bar->Controls()->Add();
  button->SetCaption("Face");
  pinlet::Picture face = Face(16, 15, 24);
  pinlet::Picture mask = Face(16, 15, 32);
  button->SetPicture(face);
  button->SetMask(mask);
  auto node = window->command_bars()->FindByCaption("Face", "Faces");
  ASSERT_TRUE(node);
  ExpectSamePicture(node->face, face);
  ExpectSamePicture(node->mask, mask);
  ExpectSamePicture(button->Picture(), face);
  ExpectSamePicture(button->Mask(), mask);
  // An empty picture is the host's to refuse; a built-in face reads empty.
  EXPECT_EQ(ErrorOf([&] { button->SetPicture(pinlet::Picture{}); }), "error 5");
  button->SetFaceId(59);
  EXPECT_TRUE(button->Picture().empty());
  // Something that is no picture is a type mismatch.
  ComPtr<IDispatch> not_a_picture = ToDispatch(app);
  EXPECT_EQ(ErrorOf([&] { PictureOfDispatch(not_a_picture.get(), "Picture"); }),
            "error 13");
}

TEST_F(ComObjectsTest, ClicksAndUpdatesReachTheClientAndCancelDefaultComesBack) {
  app = ClientOf(host);
  auto window = host.outlook->OpenExplorer();
  auto bars = app->ActiveExplorer()->CommandBars();
  auto reply = bars->FindControl(std::nullopt, 354, std::nullopt, false);
  ASSERT_TRUE(reply);
  std::vector<std::string> seen;
  int updates = 0;
  size_t inspectors = host.outlook->inspectors().size();
  {
    Subscription click =
        reply->OnClick([&](office::CommandBarControlPtr ctrl, bool& cancel_default) {
          seen.push_back(ctrl->Caption() + (cancel_default ? " cancelled" : ""));
          cancel_default = true;
        });
    Subscription update = bars->OnUpdate([&] { ++updates; });
    auto node = window->command_bars()->FindById(354);
    auto result = window->command_bars()->Click(node);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.action_ran);
    EXPECT_EQ(host.outlook->inspectors().size(), inspectors);  // no reply opened
    window->command_bars()->Update();
    window->command_bars()->Update();
  }
  EXPECT_EQ(seen, std::vector<std::string>{reply->Caption()});
  EXPECT_EQ(updates, 2);
  // A popup has no Click: subscribing raises what the host raises.
  auto popup = bars->Item("Menu Bar")->Controls()->Item(1);
  EXPECT_EQ(ErrorOf([&] { popup->OnClick([](office::CommandBarControlPtr, bool&) {}); }),
            "error 438");
}

}  // namespace
}  // namespace pinlet::com
