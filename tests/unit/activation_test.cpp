// Bringing a window to the front.
#include "dremoxa7.h"
#include "library_test.h"

namespace dremoxa7 {
namespace {

using Event = host::WindowEvent;

class ActivationTest : public LibraryTest {};

TEST_F(ActivationTest, NullWindowTouchesNothing) {
  host::add_window("Tool");
  EXPECT_EQ(SetActiveZorWin(nullptr), DREMOXA7_NOT_FOUND);
  EXPECT_EQ(host::counters().foreground_requests, 0);
}

TEST_F(ActivationTest, MinimisedWindowIsRestoredAfterItTakesTheForeground) {
  host::add_window("Other");
  const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), tool);
  EXPECT_FALSE(host::window_iconic(tool));
  EXPECT_EQ(host::z_order().front(), tool);
  EXPECT_EQ(host::window_events(), (std::vector<Event>{{Event::foreground, tool},
                                                       {Event::restore_request, tool},
                                                       {Event::restored, tool}}));
}

TEST_F(ActivationTest, AHungMinimisedToolIsRestoredOnceItAnswersAgain) {
  const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
  host::stop_answering(tool);
  // The call returns at once: the restore waits for the tool, not the caller.
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), tool);
  EXPECT_TRUE(host::window_iconic(tool));
  EXPECT_EQ(host::window_events(),
            (std::vector<Event>{{Event::foreground, tool}, {Event::restore_request, tool}}));

  host::answer_again(tool);
  EXPECT_FALSE(host::window_iconic(tool));
  EXPECT_EQ(host::window_events().back(), (Event{Event::restored, tool}));
}

TEST_F(ActivationTest, ShownWindowIsNotRestoredAgain) {
  const platform::Window tool = host::add_window("Tool");
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_OK);
  EXPECT_EQ(host::window_events(), (std::vector<Event>{{Event::foreground, tool}}));
}

TEST_F(ActivationTest, LastActivePopupComesToTheFront) {
  const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
  const platform::Window popup = host::add_popup(tool, "Settings");
  host::add_window("Other");
  ASSERT_TRUE(platform::set_foreground(host::z_order().back()));
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), popup);
  EXPECT_EQ(host::window_events(),
            (std::vector<Event>{{Event::foreground, host::window_events().front().window},
                                {Event::foreground, tool},
                                {Event::restore_request, tool},
                                {Event::restored, tool},
                                {Event::foreground, popup}}));
}

TEST_F(ActivationTest, RefusedPopupIsReportedAfterTheOwnerCameForward) {
  const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
  const platform::Window popup = host::add_popup(tool, "Settings");
  host::refuse_foreground_to(popup);
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_REFUSED);
  EXPECT_EQ(host::foreground_window(), tool);
  EXPECT_FALSE(host::window_iconic(tool));
}

TEST_F(ActivationTest, ClosedPopupLeavesTheOwnerInFront) {
  const platform::Window tool = host::add_window("Tool");
  host::close_window(host::add_popup(tool, "Settings"));
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_OK);
  EXPECT_EQ(host::foreground_window(), tool);
}

// Another program's windows close whenever it likes, also between two
// calls of the activation.
TEST_F(ActivationTest, WindowsClosingDuringTheActivation) {
  const struct {
    const char* what;
    int closes_before_foreground_call;  // 1: the window's, 2: the pop-up's
    bool closes_popup;                  // else the window
    short result;
    bool owner_in_front;
  } cases[] = {
      {"the window, after it was found", 1, false, DREMOXA7_REFUSED, false},
      {"the pop-up, once its owner is in front", 2, true, DREMOXA7_OK, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    const platform::Window other = host::add_window("Other");
    const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
    const platform::Window popup = host::add_popup(tool, "Settings");
    ASSERT_TRUE(platform::set_foreground(other));
    int foreground_calls = 0;
    host::before(host::Call::foreground, [&] {
      if (++foreground_calls == c.closes_before_foreground_call) {
        host::close_window(c.closes_popup ? popup : tool);
      }
    });
    EXPECT_EQ(SetActiveZorWin(tool), c.result);
    EXPECT_EQ(host::foreground_window(), c.owner_in_front ? tool : other);
  }
}

TEST_F(ActivationTest, RefusedForegroundIsReported) {
  const platform::Window tool = host::add_window("Tool", /*iconic=*/true);
  host::refuse_foreground(true);
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_REFUSED);
  EXPECT_TRUE(host::window_iconic(tool));  // nothing was restored
  EXPECT_EQ(host::counters().restore_requests, 0);

  // A closed (stale) handle is refused the same way.
  host::refuse_foreground(false);
  host::close_window(tool);
  EXPECT_EQ(SetActiveZorWin(tool), DREMOXA7_REFUSED);
}

}  // namespace
}  // namespace dremoxa7
