#include "store/filter_view.h"

#include <gmock/gmock.h>

#include "addin/settings.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

using ::testing::HasSubstr;

class FilterViewTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Start();
    explorer = session->outlook()->explorers().front();
  }
  std::string Remembered() {
    auto value = world.registry.QueryValue(kFoldersKey, Inbox()->EntryID());
    return value ? value->data : "(none)";
  }
  ol::ExplorerPtr explorer;
};

TEST_F(FilterViewTest, FilterOnAddsATableViewWithTheHasNoteFilter) {
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  EXPECT_EQ(explorer->CurrentView(), "Items with Notes");
  EXPECT_EQ(Remembered(), "Messages");
  auto view = Inbox()->Views()->Item("Items with Notes");
  EXPECT_EQ(view->ViewType(), ol::kOlTableView);
  EXPECT_EQ(Node(Inbox())->FindView("Items with Notes")->save_option, 1);
  EXPECT_THAT(view->XML(),
              HasSubstr("<filter>&quot;http://schemas.microsoft.com/mapi/string/"
                        "{00020329-0000-0000-C000-000000000046}/ZPNHasNote&quot; = "
                        "'TRUE'</filter>\r\n    <viewname>Items with Notes</viewname>"));
}

TEST_F(FilterViewTest, AnotherFilterIsReplacedAndTheFoldersOwnViewKept) {
  explorer->SetCurrentView("Unread Messages");
  std::string own = Inbox()->Views()->Item("Unread Messages")->XML();
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  std::string xml = Inbox()->Views()->Item("Items with Notes")->XML();
  EXPECT_THAT(xml, HasSubstr(FilterClause()));
  EXPECT_THAT(xml, ::testing::Not(HasSubstr("httpmail:read")));
  EXPECT_EQ(Inbox()->Views()->Item("Unread Messages")->XML(), own);
  ASSERT_TRUE(Filter_Off(ctx(), explorer));
  EXPECT_EQ(explorer->CurrentView(), "Unread Messages");
}

TEST_F(FilterViewTest, SwitchingOnTwiceFallsBackToTheFirstOtherViewWhenOff) {
  explorer->SetCurrentView("Last Seven Days");
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  EXPECT_EQ(Remembered(), "Items with Notes");
  EXPECT_EQ(Inbox()->Views()->Count(), 5);  // the view is reused, not added again
  ASSERT_TRUE(Filter_Off(ctx(), explorer));
  EXPECT_EQ(explorer->CurrentView(), "Messages");
  EXPECT_EQ(Remembered(), "Items with Notes");  // left in the registry
}

TEST_F(FilterViewTest, ACardViewOfThatNameIsReplacedByATableView) {
  auto contacts = ns()->GetDefaultFolder(ol::kFolderContacts);
  explorer->SetCurrentFolder(contacts);
  contacts->Views()->Add("Items with Notes", ol::kOlCardView, 1);
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  auto view = contacts->Views()->Item("Items with Notes");
  EXPECT_EQ(view->ViewType(), ol::kOlTableView);
  EXPECT_THAT(view->XML(), HasSubstr(FilterClause()));
  int named = 0;
  for (int i = 1; i <= contacts->Views()->Count(); ++i)
    named += contacts->Views()->Item(i)->Name() == "Items with Notes";
  EXPECT_EQ(named, 1);
}

TEST_F(FilterViewTest, AnExistingTableViewIsUsedUnchanged) {
  auto view = Inbox()->Views()->Add("Items with Notes", ol::kOlTableView, 1);
  view->SetXML("<view type=\"table\"><viewname>Items with Notes</viewname></view>");
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  EXPECT_EQ(view->XML(),
            "<view type=\"table\"><viewname>Items with Notes</viewname></view>");
}

TEST_F(FilterViewTest, AViewWithoutANameElementStillGetsItsFilter) {
  auto folder = Node(Inbox());
  folder->views[0].xml =
      "<?xml version=\"1.0\"?>\r\n<view type=\"table\">\r\n</view>\r\n";
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  EXPECT_EQ(Inbox()->Views()->Item("Items with Notes")->XML(),
            "<?xml version=\"1.0\"?>\r\n<view type=\"table\">\r\n    " + FilterClause() +
                "\r\n</view>\r\n");
}

TEST_F(FilterViewTest, AForgottenViewTakesTheFolderToItsFirstOtherView) {
  explorer->SetCurrentView("Last Seven Days");
  ASSERT_TRUE(Filter_On(ctx(), explorer));
  auto views = Inbox()->Views();
  for (int i = 1; i <= views->Count(); ++i)
    if (views->Item(i)->Name() == "Last Seven Days") views->Remove(i);
  ASSERT_TRUE(Filter_Off(ctx(), explorer));
  EXPECT_EQ(explorer->CurrentView(), "Messages");
}

TEST_F(FilterViewTest, FailuresAreReportedAndAnswerFalse) {
  world.faults.FailMember("Views.Add");
  EXPECT_FALSE(Filter_On(ctx(), explorer));
  world.faults.Clear();
  EXPECT_THAT(Logged().back(), HasSubstr("basMainProc(Sub Filter_On), 30"));
  world.faults.FailMember("Explorer.CurrentFolder");
  EXPECT_FALSE(Filter_Off(ctx(), explorer));
  world.faults.Clear();
  EXPECT_THAT(Logged().back(), HasSubstr("basMainProc(Sub Filter_Off), 10"));
  EXPECT_FALSE(Filter_On(ctx(), nullptr));
}

}  // namespace
}  // namespace pinlet
