#pragma once
// Audio and video playback through the media player control. One MediaHost
// lives from start-up to shutdown: prepareMediaHost fills its library and
// COM half, the question panel's creation adds the player, the play and stop
// buttons drive it, and cleanUpMedia empties it again.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <span>

#include "quiz/quiz_content.h"

struct IWMPPlayer;
struct IWMPControls;

namespace mirvo {

struct Quiz;

typedef HRESULT(WINAPI* AttachControlFunction)(IUnknown* control, HWND host, IUnknown** container);

// Room for the quiz's 512-byte media prefix, "mirvo", a question number and
// the extension.
inline constexpr std::size_t kClipFileNameSize = 512 + 32;

struct MediaHost {
  HMODULE atlModule = nullptr;
  AttachControlFunction attachControl = nullptr;  // null when atl.dll lacks the export
  bool comInitialized = false;                    // only then is CoUninitialize ours to call
  HWND playerHost = nullptr;                      // child 9900 of the question panel
  IWMPPlayer* player = nullptr;
  IWMPControls* controls = nullptr;
  IUnknown* container = nullptr;  // the host's control site, from the attach
  // Shared icons from LoadIconA: the panel's layout puts them on its buttons;
  // nothing releases them.
  HICON playIcon = nullptr;
  HICON stopIcon = nullptr;
  int currentClip = 0;                      // question of the last play press
  char lastClipFile[kClipFileNameSize] = {};  // last name handed to the player
};

extern MediaHost mediaHost;

// Start-up, before the main window exists: atl.dll and COM, media quizzes only.
void prepareMediaHost(const Quiz& quiz);
// First step of the question panel's creation, media quizzes only. False when
// there is no player: the question panel then lays out nothing.
bool createMediaPlayer(const Quiz& quiz, HWND questionPanel);
// The question panel's WM_COMMAND: play buttons 6001-6096, stop buttons
// 7001-7096, compared with the whole wParam. True when it acted; the panel's
// procedure returns FALSE either way.
bool onPanelMediaCommand(const Quiz& quiz, HWND questionPanel, WPARAM wParam);
// False when nothing plays (no clip resource, or it could not be written).
bool playClip(const Quiz& quiz, int question);
void stopClip(const Quiz& quiz);
// "%smirvo%d.mp3" (audio) or "%smirvo%d.avi" (video): writer, player, stop
// button and clean-up all name a question's clip through this one function.
void clipFileName(std::span<char, kClipFileNameSize> name, const char* prefix, int question, QuizType kind);
// Writes "IMG" resource `resourceId` (400 + n) to the clip file of question n.
// False, after telling the player why where it matters, when no complete
// file exists afterwards.
bool writeClipFile(const Quiz& quiz, int resourceId, QuizType kind);
// Shutdown: deletes clip files 1 to 96, destroys the main window, releases
// the player, COM and the library.
void cleanUpMedia(const Quiz& quiz, HWND mainWindow);

}  // namespace mirvo
