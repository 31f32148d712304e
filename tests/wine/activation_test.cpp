// SetActiveZorWin on real windows: foreground, restore, last active pop-up.
#include "e2e_test.h"

namespace e2e {
namespace {

using Activation = LibraryTest;

TEST_F(Activation, NullWindowIsNotFound) {
  EXPECT_EQ(dll().SetActiveZorWin(nullptr), DREMOXA7_NOT_FOUND);
}

TEST_F(Activation, MinimisedWindowIsRestoredInFront) {
  FixtureProcess other({"--window", "Dx7 Other Tool"});
  FixtureProcess small({"--window", "Dx7 Iconic Tool", "--minimized"});
  ASSERT_TRUE(other.ready()) << other.error();
  ASSERT_TRUE(small.ready()) << small.error();
  const HWND window = small.window(0);
  ASSERT_TRUE(IsIconic(window));

  EXPECT_EQ(dll().SetActiveZorWin(window), DREMOXA7_OK);
  EXPECT_TRUE(wait_until([&] { return !IsIconic(window); }));
  EXPECT_EQ(foreground_becomes(window), window);
}

TEST_F(Activation, OwnerBringsItsPopupToTheFront) {
  FixtureProcess owner({"--window", "Dx7 Owner Tool", "--popup", "Dx7 Owner Dialog"});
  FixtureProcess other({"--window", "Dx7 Bystander Tool"});
  ASSERT_TRUE(owner.ready()) << owner.error();
  ASSERT_TRUE(other.ready()) << other.error();
  const HWND popup = owner.window(1);
  ASSERT_EQ(GetLastActivePopup(owner.window(0)), popup);

  // Without a pop-up the window itself comes to the front.
  ASSERT_EQ(dll().SetActiveZorWin(other.window(0)), DREMOXA7_OK);
  ASSERT_EQ(foreground_becomes(other.window(0)), other.window(0));

  EXPECT_EQ(dll().SetActiveZorWin(owner.window(0)), DREMOXA7_OK);
  EXPECT_EQ(foreground_becomes(popup), popup);
}

}  // namespace
}  // namespace e2e
