#pragma once
// The question panel's scrolling: scroll-bar requests, resizing and the
// mouse wheel. Each returns what the panel's dialog procedure returns.

#include <windows.h>

namespace mirvo {

// One vertical line is this many pixels; a horizontal line is one.
inline constexpr int kVerticalLineStep = 50;

INT_PTR onPanelVScroll(HWND panel, WPARAM wParam);
INT_PTR onPanelHScroll(HWND panel, WPARAM wParam);
// New client size: re-ranges both bars and moves the contents back by
// whatever the positions lost.
INT_PTR onPanelSize(HWND panel);
// Answers 0, so the default handling also passes the notch on to the main
// window, which posts the same request again.
INT_PTR onPanelMouseWheel(HWND panel, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo
