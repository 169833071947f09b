#include "ui/panel_scrolling.h"

#include "ui/answer_box.h"
#include "ui/question_panel.h"

namespace mirvo {

namespace {

SCROLLINFO readBar(HWND panel, int bar) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(panel, bar, &info);
  return info;
}

int verticalTarget(const SCROLLINFO& bar, int code) {
  switch (code) {
    case SB_LINEUP: return bar.nPos - kVerticalLineStep;
    case SB_LINEDOWN: return bar.nPos + kVerticalLineStep;
    case SB_PAGEUP: return bar.nPos - static_cast<int>(bar.nPage);
    case SB_PAGEDOWN: return bar.nPos + static_cast<int>(bar.nPage);
    case SB_THUMBTRACK: return bar.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return bar.nMax;
    default: return bar.nPos;  // SB_THUMBPOSITION: the track already moved it
  }
}

int horizontalTarget(const SCROLLINFO& bar, int code) {
  switch (code) {
    case SB_LINELEFT: return bar.nPos - 1;
    case SB_LINERIGHT: return bar.nPos + 1;
    case SB_PAGELEFT: return bar.nPos - static_cast<int>(bar.nPage);
    case SB_PAGERIGHT: return bar.nPos + static_cast<int>(bar.nPage);
    case SB_THUMBTRACK: return bar.nTrackPos;
    default: return bar.nPos;  // SB_LEFT and SB_RIGHT are not answered
  }
}

// Moves the bar to `target` (clamped to its range; the bar itself keeps it
// within what its page allows) and the contents by what the bar moved.
void scrollBarTo(HWND panel, int bar, const SCROLLINFO& before, int target) {
  if (target > before.nMax) target = before.nMax;
  if (target < before.nMin) target = before.nMin;
  SetScrollPos(panel, bar, target, TRUE);
  const int moved = (before.nPos - GetScrollPos(panel, bar)) * scrollUnit;
  if (bar == SB_VERT) {
    ScrollWindow(panel, 0, moved, nullptr, nullptr);
  } else {
    ScrollWindow(panel, moved, 0, nullptr, nullptr);
  }
}

}  // namespace

INT_PTR onPanelVScroll(HWND panel, WPARAM wParam) {
  const SCROLLINFO bar = readBar(panel, SB_VERT);
  scrollBarTo(panel, SB_VERT, bar, verticalTarget(bar, LOWORD(wParam)));
  return 0;
}

INT_PTR onPanelHScroll(HWND panel, WPARAM wParam) {
  const SCROLLINFO bar = readBar(panel, SB_HORZ);
  scrollBarTo(panel, SB_HORZ, bar, horizontalTarget(bar, LOWORD(wParam)));
  return 0;
}

INT_PTR onPanelSize(HWND panel) {
  const int oldVertical = GetScrollPos(panel, SB_VERT);
  const int oldHorizontal = GetScrollPos(panel, SB_HORZ);
  setupScrollRanges(panel);
  const int newVertical = GetScrollPos(panel, SB_VERT);
  const int newHorizontal = GetScrollPos(panel, SB_HORZ);
  ScrollWindow(panel, (oldHorizontal - newHorizontal) * scrollUnit, (oldVertical - newVertical) * scrollUnit, nullptr,
               nullptr);
  return 0;
}

INT_PTR onPanelMouseWheel(HWND panel, WPARAM wParam, LPARAM lParam) {
  translateWheel(panel, wParam, lParam);
  return 0;
}

}  // namespace mirvo
