#pragma once
// The process-wide references of the player: written during start-up, before
// the message loop, and only read afterwards. Nothing else is global.

#include <windows.h>

namespace mirvo {

struct Quiz;

struct AppState {
  Quiz* quiz = nullptr;
  HWND mainWindow = nullptr;
  HWND headerPanel = nullptr;
  HWND questionPanel = nullptr;
  HBRUSH labelBrush = nullptr;  // background of the version label
};

extern AppState app;

}  // namespace mirvo
