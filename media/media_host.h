#pragma once
// Audio and video playback through the media player control.

#include <windows.h>

namespace mirvo {

struct Quiz;

void prepareMediaHost(const Quiz& quiz);
// False when there is no player: the question panel then lays out nothing.
bool createMediaPlayer(const Quiz& quiz, HWND questionPanel);
void cleanUpMedia(const Quiz& quiz, HWND mainWindow);

}  // namespace mirvo
