#pragma once
// The question panel: the scrollable child dialog (template 1001) that holds
// every question of the quiz, built in one pass when the dialog starts.

#include <windows.h>

namespace mirvo {

struct Quiz;

// Size of the laid-out content in pixels; 0 before the layout. Written by the
// layout only, read by every setupScrollRanges.
extern int contentWidth;
extern int contentHeight;
// Pixels per scroll position; every conversion between the two goes through it.
inline constexpr int scrollUnit = 1;
// The Edit procedure that subclassing an answer box replaced. Every box is a
// fresh Edit, so one value serves them all.
extern WNDPROC editClassProc;

INT_PTR CALLBACK questionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// Everything of the layout after the media player: the answer sheet, the
// answer font, every question with its restored answers judged, the content
// size and the scroll ranges. Picture boxes get their final places from the
// pictures' headers; their bitmaps are decoded afterwards, one per
// kDecodePictureMessage that the panel posts itself (ui/deferred_pictures.h).
void layoutQuestions(Quiz& quiz, HWND panel);

// Both scroll bars from the panel's client size and the content size.
void setupScrollRanges(HWND panel);

}  // namespace mirvo
