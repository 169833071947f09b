// Scrolling a real panel: every request code of both bars with clamping, the
// page keys of the answer boxes, the wheel rule and resizing.
#include "play_fixture.h"
#include "ui/answer_box.h"

namespace mirvo::testing {
namespace {

// Forty text rows: 830 x 1005 pixels of content in a 400 x 300 panel.
class PlayScrolling : public PlayPanel {
 protected:
  void SetUp() override {
    PlayPanel::SetUp();
    std::vector<QuestionSpec> questions(40, QuestionSpec{"a", "", ""});
    makeQuiz(QuizType::Text, 1, RevealMode::None, questions);
    buildPanel(400, 300);
    RECT client;
    GetClientRect(panel_, &client);
    pageHeight_ = client.bottom;
    pageWidth_ = client.right;
  }

  SCROLLINFO bar(int which) const {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(panel_, which, &info);
    return info;
  }
  int position(int which) const { return GetScrollPos(panel_, which); }
  int pageHeight_ = 0;
  int pageWidth_ = 0;
};

TEST_F(PlayScrolling, BarsAreRangedFromTheContent) {
  EXPECT_EQ(bar(SB_VERT).nMax, 1005 - 2);
  EXPECT_EQ(static_cast<int>(bar(SB_VERT).nPage), pageHeight_ - 1);
  EXPECT_EQ(bar(SB_HORZ).nMax, 850 - 2);
}

TEST_F(PlayScrolling, VerticalRequestsMoveAndClamp) {
  const int page = pageHeight_ - 1;
  const int last = 1005 - pageHeight_;  // content bottom meets the client bottom
  struct Case {
    int start;
    WORD code;
    int expected;
  };
  const Case cases[] = {
      {100, SB_LINEUP, 50},       {30, SB_LINEUP, 0},           {0, SB_LINEDOWN, 50},
      {last - 20, SB_LINEDOWN, last}, {400, SB_PAGEUP, 400 - page}, {100, SB_PAGEUP, 0},
      {0, SB_PAGEDOWN, page},     {last - 5, SB_PAGEDOWN, last}, {200, SB_THUMBPOSITION, 200},
      {200, SB_TOP, 0},           {0, SB_BOTTOM, last},         {200, SB_ENDSCROLL, 200},
  };
  for (const Case& c : cases) {
    SetScrollPos(panel_, SB_VERT, c.start, FALSE);
    SendMessageA(panel_, WM_VSCROLL, c.code, 0);
    EXPECT_EQ(position(SB_VERT), c.expected) << "code " << c.code << " from " << c.start;
  }
}

TEST_F(PlayScrolling, HorizontalRequestsMoveAndClamp) {
  const int page = pageWidth_ - 1;
  const int last = 850 - pageWidth_;
  struct Case {
    int start;
    WORD code;
    int expected;
  };
  const Case cases[] = {
      {10, SB_LINELEFT, 9},         {0, SB_LINELEFT, 0},           {10, SB_LINERIGHT, 11},
      {last, SB_LINERIGHT, last},   {last, SB_PAGELEFT, last - page}, {10, SB_PAGELEFT, 0},
      {0, SB_PAGERIGHT, page},      {last - 3, SB_PAGERIGHT, last}, {40, SB_THUMBPOSITION, 40},
      {40, SB_LEFT, 40},            {40, SB_RIGHT, 40},            {40, SB_ENDSCROLL, 40},
  };
  for (const Case& c : cases) {
    SetScrollPos(panel_, SB_HORZ, c.start, FALSE);
    SendMessageA(panel_, WM_HSCROLL, c.code, 0);
    EXPECT_EQ(position(SB_HORZ), c.expected) << "code " << c.code << " from " << c.start;
  }
}

TEST_F(PlayScrolling, ContentsMoveByWhatTheBarMoved) {
  ASSERT_EQ(placeOf(kAnswerBoxBase + 1).y, 5);
  SendMessageA(panel_, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).y, 5 - 50);
  SendMessageA(panel_, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).x, 610 - 1);
  // Already at the top: a line up moves the bar by 50 and so the contents.
  SendMessageA(panel_, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).y, 5);
  SendMessageA(panel_, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).y, 5);
}

TEST_F(PlayScrolling, ArrowAndPageKeysScrollByAPageAndReachTheBox) {
  const int page = pageHeight_ - 1;
  struct Case {
    WPARAM key;
    int expected;
  };
  // Starting from one page down each time.
  const Case cases[] = {{VK_NEXT, 2 * page}, {VK_DOWN, 2 * page}, {VK_PRIOR, 0}, {VK_UP, 0}};
  for (const Case& c : cases) {
    SendMessageA(panel_, WM_VSCROLL, SB_TOP, 0);
    SendMessageA(panel_, WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_EQ(position(SB_VERT), page);
    releaseKey(1, c.key);
    EXPECT_EQ(position(SB_VERT), c.expected) << "key " << c.key;
  }
  // The edit still gets the key: its result is not Enter's 1.
  EXPECT_NE(releaseKey(1, VK_NEXT), 1);
}

TEST_F(PlayScrolling, OnlyAWholeNotchTurnsIntoALineScroll) {
  struct Case {
    WPARAM wParam;
    bool posted;
    WPARAM request;
  };
  const Case cases[] = {
      {MAKEWPARAM(0, 120), true, SB_LINEUP},
      {MAKEWPARAM(MK_CONTROL, 120), true, SB_LINEUP},  // the key state is not looked at
      {MAKEWPARAM(0, static_cast<WORD>(-120)), true, SB_LINEDOWN},
      {MAKEWPARAM(0, 240), false, 0},
      {MAKEWPARAM(0, 60), false, 0},
      {MAKEWPARAM(0, 0), false, 0},
  };
  for (const Case& c : cases) {
    MSG stale;
    while (PeekMessageA(&stale, panel_, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
    }
    translateWheel(panel_, c.wParam, 0);
    MSG posted = {};
    const bool got = PeekMessageA(&posted, panel_, WM_VSCROLL, WM_VSCROLL, PM_REMOVE);
    EXPECT_EQ(got, c.posted) << std::hex << c.wParam;
    if (got) {
      EXPECT_EQ(posted.wParam, c.request);
      EXPECT_EQ(posted.lParam, 0);
    }
  }
}

TEST_F(PlayScrolling, PanelWheelPostsToItselfAndAnswersZero) {
  MSG stale;
  while (PeekMessageA(&stale, panel_, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
  }
  EXPECT_EQ(SendMessageA(panel_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0), 0);
  MSG posted = {};
  ASSERT_TRUE(PeekMessageA(&posted, panel_, WM_VSCROLL, WM_VSCROLL, PM_REMOVE));
  EXPECT_EQ(posted.wParam, static_cast<WPARAM>(SB_LINEDOWN));
  DispatchMessageA(&posted);
  EXPECT_EQ(position(SB_VERT), 50);
}

TEST_F(PlayScrolling, GrowingPastTheContentScrollsBackToTheLaidOutPlace) {
  SendMessageA(panel_, WM_VSCROLL, SB_BOTTOM, 0);
  for (int i = 0; i < 30; ++i) SendMessageA(panel_, WM_HSCROLL, SB_LINERIGHT, 0);
  ASSERT_GT(position(SB_VERT), 0);
  ASSERT_EQ(position(SB_HORZ), 30);
  ASSERT_NE(placeOf(kAnswerBoxBase + 1).y, 5);

  SetWindowPos(panel_, nullptr, 0, 0, 1000, 1100, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(position(SB_HORZ), 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).y, 5);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).x, 610);

  // Shrinking again keeps the place: nothing is scrolled until asked.
  SetWindowPos(panel_, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(position(SB_VERT), 0);
  EXPECT_EQ(placeOf(kAnswerBoxBase + 1).y, 5);
}

}  // namespace
}  // namespace mirvo::testing
