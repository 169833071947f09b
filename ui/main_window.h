#pragma once
// Start-up, the main window "WindowsApp", the message loop and shutdown.
// The steps are separate functions so that tests can drive them one by one.

#include <windows.h>

namespace mirvo {

inline constexpr char kMainWindowClass[] = "WindowsApp";
inline constexpr int kMainWindowWidth = 544;
inline constexpr int kMainWindowHeight = 375;
inline constexpr char kVersionText[] = "(BETA) R\xE9" "alis\xE9 avec la version 2.1.2";
inline constexpr COLORREF kLabelBrushColour = 13160660;  // red 212, green 208, blue 200
// Deleted on every close, whatever the quiz type.
inline constexpr char kCloseClipFile[] = "mirvo.mp3";

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool registerMainWindowClass(HINSTANCE instance);
// Hidden, 544 x 375, not yet centred.
HWND createMainWindow(HINSTANCE instance, const char* title);
void centreOnDesktop(HWND window);

// Everything before the message loop: class, label brush, quiz, media host,
// main window and both panels, all shown. False when the class cannot be
// registered; nothing is created then.
bool startPlayer(HINSTANCE instance);
// Until WM_QUIT; returns its wParam.
int runMessageLoop();
// Everything after the loop, in order: panels, media, label brush, quiz.
void shutDownPlayer();

// The whole run; what WinMain returns.
int runPlayer(HINSTANCE instance);

}  // namespace mirvo
