#pragma once
// The colours the question panel gives its labels and its own background.
// Each returns the brush for the dialog procedure to return, or 0 for the
// default colours.

#include <windows.h>

namespace mirvo {

struct Quiz;

// Number, column and explanation labels sit on the panel background; result
// labels take the colour of their verdict; question labels are light yellow.
INT_PTR onPanelCtlColorStatic(const Quiz& quiz, HWND panel, HDC dc, HWND control);
INT_PTR onPanelCtlColorDlg(const Quiz& quiz);

}  // namespace mirvo
