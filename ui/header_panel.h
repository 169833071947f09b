#pragma once
// The header strip above the questions: score and reward code, title and
// explanation, the maker's link, the creator and the "Sauver" button.

#include <windows.h>

namespace mirvo {

// The maker's web address: the link's text and what it opens.
// Short enough for the 115-pixel link label in the system face.
inline constexpr char kMakerWebAddress[] = "https://mirvo.test";

// Dialog procedure for template MIRVO_HEADER_PANEL_TEMPLATE; reads the
// process-wide quiz (app.quiz) when the panel is created.
INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo
