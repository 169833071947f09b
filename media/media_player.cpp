// The media player control of an audio or video quiz: created by the program,
// hosted in a child of the question panel through the ATL hosting function,
// driven only by the panel's play and stop buttons.

#include <windows.h>
#include <wmp.h>

#include "media/media_host.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace mirvo {

MediaHost mediaHost;

namespace {

// Windows Media Player {6BF52A52-394A-11D3-B153-00C04F79FAA6}.
constexpr CLSID kMediaPlayerClass = {0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
// IWMPPlayer {6BF52A4F-394A-11D3-B153-00C04F79FAA6}.
constexpr IID kMediaPlayerInterface = {0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
constexpr DWORD kPlayerClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// A video is shown over the area a video cell leaves above its buttons: the
// button column and the answer boxes wide.
constexpr int kVideoAreaWidth = 20 + 240;

// Text arguments of the player are BSTRs: a plain wide buffer would lack the
// length prefix that the callee (or a marshaller) may read.
class AnsiBstr {
 public:
  explicit AnsiBstr(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) return;
    value_ = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (value_ != nullptr) MultiByteToWideChar(CP_ACP, 0, text, -1, value_, length);
  }
  ~AnsiBstr() { SysFreeString(value_); }
  AnsiBstr(const AnsiBstr&) = delete;
  AnsiBstr& operator=(const AnsiBstr&) = delete;
  BSTR get() const { return value_; }

 private:
  BSTR value_ = nullptr;
};

void hideVideo() {
  if (mediaHost.playerHost != nullptr) ShowWindow(mediaHost.playerHost, SW_HIDE);
}

// Anchored on the question's play button as it is now, so a scrolled panel
// still gets the film in the right cell.
void showVideoOver(HWND panel, int question) {
  HWND button = GetDlgItem(panel, kPlayButtonBase + question);
  if (mediaHost.playerHost == nullptr || button == nullptr) return;
  RECT place;
  GetWindowRect(button, &place);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&place), 2);
  SetWindowPos(mediaHost.playerHost, HWND_TOP, place.left, place.top - kVideoAreaHeight, kVideoAreaWidth,
               kVideoAreaHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void releasePlayer() {
  if (mediaHost.controls != nullptr) mediaHost.controls->Release();
  if (mediaHost.container != nullptr) mediaHost.container->Release();
  if (mediaHost.player != nullptr) mediaHost.player->Release();
  mediaHost.controls = nullptr;
  mediaHost.container = nullptr;
  mediaHost.player = nullptr;
}

}  // namespace

void prepareMediaHost(const Quiz& quiz) {
  if (!isMediaType(quiz.type)) return;
  mediaHost.atlModule = LoadLibraryA("atl.dll");
  if (mediaHost.atlModule == nullptr) return;
  // Without the export the player is still created, just never attached.
  mediaHost.attachControl = reinterpret_cast<AttachControlFunction>(
      reinterpret_cast<void*>(GetProcAddress(mediaHost.atlModule, "AtlAxAttachControl")));
  // S_FALSE (already initialised) still has to be balanced at shutdown.
  mediaHost.comInitialized = SUCCEEDED(CoInitialize(nullptr));
}

bool createMediaPlayer(const Quiz& quiz, HWND questionPanel) {
  if (!isMediaType(quiz.type)) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  mediaHost.playIcon = LoadIconA(instance, MAKEINTRESOURCEA(MIRVO_PLAY_ICON));
  mediaHost.stopIcon = LoadIconA(instance, MAKEINTRESOURCEA(MIRVO_STOP_ICON));
  releasePlayer();

  // Created hidden and empty: an audio quiz never shows it, a video quiz
  // moves it over the cell being played.
  mediaHost.playerHost = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_BORDER, 0, 0, 0, 0, questionPanel,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlayerHostId)), instance,
                                         nullptr);

  IWMPPlayer* player = nullptr;
  const HRESULT created = CoCreateInstance(kMediaPlayerClass, nullptr, kPlayerClassContext, kMediaPlayerInterface,
                                           reinterpret_cast<void**>(&player));
  if (created != S_OK || player == nullptr) return false;
  mediaHost.player = player;

  // The container is taken although nothing uses it: Wine's attach function
  // refuses a null out pointer and then hosts nothing, so no film is seen.
  if (mediaHost.attachControl != nullptr) mediaHost.attachControl(player, mediaHost.playerHost, &mediaHost.container);
  IWMPControls* controls = nullptr;
  if (SUCCEEDED(player->get_controls(&controls))) mediaHost.controls = controls;
  AnsiBstr none("none");
  player->put_uiMode(none.get());
  // The play button's own play call is the one start of a clip. Left on,
  // auto start would already start it when the URL is set, and a second
  // start of a clip the player could not open crashes Wine's player.
  IWMPSettings* settings = nullptr;
  if (SUCCEEDED(player->get_settings(&settings)) && settings != nullptr) {
    settings->put_autoStart(VARIANT_FALSE);
    settings->Release();
  }
  return true;
}

bool onPanelMediaCommand(const Quiz& quiz, HWND questionPanel, WPARAM wParam) {
  if (!isMediaType(quiz.type)) return false;
  if (wParam > static_cast<WPARAM>(kPlayButtonBase) && wParam <= static_cast<WPARAM>(kPlayButtonBase + kMaxQuestions)) {
    const int question = static_cast<int>(wParam) - kPlayButtonBase;
    if (playClip(quiz, question) && quiz.type == QuizType::Video) showVideoOver(questionPanel, question);
    return true;
  }
  if (wParam > static_cast<WPARAM>(kStopButtonBase) && wParam <= static_cast<WPARAM>(kStopButtonBase + kMaxQuestions)) {
    stopClip(quiz);
    return true;
  }
  return false;
}

bool playClip(const Quiz& quiz, int question) {
  if (mediaHost.controls != nullptr) mediaHost.controls->stop();
  hideVideo();
  if (mediaHost.lastClipFile[0] != '\0') DeleteFileA(mediaHost.lastClipFile);
  mediaHost.currentClip = question;
  // No caching: the clip is written again on every press, even the same one.
  if (!writeClipFile(quiz, MIRVO_QUESTION_MEDIA_BASE + question, quiz.type)) return false;
  clipFileName(mediaHost.lastClipFile, quiz.mediaPrefix, question, quiz.type);
  if (mediaHost.player != nullptr) {
    AnsiBstr url(mediaHost.lastClipFile);
    mediaHost.player->put_URL(url.get());
  }
  if (mediaHost.controls != nullptr) mediaHost.controls->play();
  return true;
}

void stopClip(const Quiz& quiz) {
  char name[kClipFileNameSize];
  clipFileName(name, quiz.mediaPrefix, mediaHost.currentClip, quiz.type);
  hideVideo();
  if (mediaHost.controls == nullptr) return;
  mediaHost.controls->stop();
  DeleteFileA(name);
}

void cleanUpMedia(const Quiz& quiz, HWND mainWindow) {
  if (!isMediaType(quiz.type)) return;
  // A clip still playing is held open by the player and would survive its
  // deletion.
  if (mediaHost.controls != nullptr) mediaHost.controls->stop();
  char name[kClipFileNameSize];
  for (int question = 1; question <= kMaxQuestions; ++question) {
    clipFileName(name, quiz.mediaPrefix, question, quiz.type);
    DeleteFileA(name);
  }
  // The window takes the player host, and with it the host's hold on the
  // player; our own references go next, while COM is still there for the
  // player's teardown.
  if (mainWindow != nullptr) DestroyWindow(mainWindow);
  releasePlayer();
  if (mediaHost.comInitialized) CoUninitialize();
  if (mediaHost.atlModule != nullptr) FreeLibrary(mediaHost.atlModule);
  mediaHost = MediaHost{};
}

}  // namespace mirvo
