#include "ui/main_window.h"

#include <algorithm>

#include "media/media_host.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/answer_box.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/header_panel.h"
#include "ui/question_panel.h"

namespace mirvo {

namespace {

constexpr int kPanelLeft = 5;
constexpr int kHeaderTop = 2;
constexpr int kHeaderHeight = 49;
constexpr int kQuestionTop = 50;
constexpr int kPanelWidthMargin = 11;
constexpr int kQuestionHeightMargin = 68;  // leaves room for the version label
constexpr int kVersionRightOffset = 185;
constexpr int kVersionBottomOffset = 16;

HWND versionLabel(HWND window) { return GetDlgItem(window, kVersionLabelId); }

LRESULT onCreate(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HWND label = CreateWindowExA(0, "Static", kVersionText, WS_CHILD | WS_VISIBLE, 725,
                               client.bottom - kVersionBottomOffset, 130, 15, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kVersionLabelId)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
  return 0;
}

LRESULT onSize(HWND window, WPARAM kind) {
  if (kind == SIZE_MINIMIZED) return 0;
  RECT client{};
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  // No minimum size is enforced: a tiny window gives empty panels, never
  // negative sizes.
  const int panelWidth = std::max(w - kPanelWidthMargin, 0);
  if (app.questionPanel != nullptr) {
    SetWindowPos(app.questionPanel, nullptr, kPanelLeft, kQuestionTop, panelWidth,
                 std::max(h - kQuestionHeightMargin, 0), SWP_NOZORDER);
  }
  if (app.headerPanel != nullptr) {
    SetWindowPos(app.headerPanel, nullptr, kPanelLeft, kHeaderTop, panelWidth, kHeaderHeight, SWP_NOZORDER);
  }
  SetWindowPos(versionLabel(window), HWND_TOP, w - kVersionRightOffset, h - kVersionBottomOffset, 180, 15,
               SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  return 0;
}

// Closing saves and ends the loop; the window itself stays until shutdown.
LRESULT onClose() {
  saveAnswerSheet(app.questionPanel);
  DeleteFileA(kCloseClipFile);
  PostQuitMessage(0);
  return 0;
}

LRESULT onCtlColorStatic(HDC dc, HWND control) {
  if (GetWindowLongA(control, GWL_ID) != kVersionLabelId) return 0;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(app.labelBrush);
}

LRESULT onMouseWheel(WPARAM wParam, LPARAM lParam) {
  translateWheel(app.questionPanel, wParam, lParam);
  return 0;
}

HWND createPanel(HINSTANCE instance, HWND parent, int templateId, DLGPROC procedure) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), parent, procedure, 0);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate(window);
    case WM_SIZE:
      return onSize(window, wParam);
    case WM_CLOSE:
      return onClose();
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_CTLCOLORSTATIC:
      return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL:
      return onMouseWheel(wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance, const char* title) {
  return CreateWindowExA(0, kMainWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
}

void centreOnDesktop(HWND window) {
  RECT desktop{};
  RECT own{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &own);
  const int x = desktop.left + ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
  const int y = desktop.top + ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool startPlayer(HINSTANCE instance) {
  if (!registerMainWindowClass(instance)) return false;
  app.labelBrush = CreateSolidBrush(kLabelBrushColour);
  app.quiz = new Quiz();
  loadQuiz(*app.quiz);
  prepareMediaHost(*app.quiz);

  app.mainWindow = createMainWindow(instance, app.quiz->title);
  centreOnDesktop(app.mainWindow);

  // The header must exist, and be known to the quiz, before the question
  // panel: laying out the questions already writes the score into it.
  app.headerPanel = createPanel(instance, app.mainWindow, MIRVO_HEADER_PANEL_TEMPLATE, headerPanelProc);
  ShowWindow(app.headerPanel, SW_SHOWNORMAL);
  app.quiz->headerPanel = app.headerPanel;
  app.questionPanel = createPanel(instance, app.mainWindow, MIRVO_QUESTION_PANEL_TEMPLATE, questionPanelProc);

  // The first WM_SIZE, sent by this ShowWindow, places both panels.
  ShowWindow(app.mainWindow, SW_SHOWNORMAL);
  ShowWindow(app.questionPanel, SW_SHOWNORMAL);
  return true;
}

int runMessageLoop() {
  MSG message{};
  // GetMessageA gives -1 on error: stop rather than spin on a message that
  // was never filled in.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(app.questionPanel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void shutDownPlayer() {
  if (app.questionPanel != nullptr) EndDialog(app.questionPanel, 0);
  if (app.headerPanel != nullptr) DestroyWindow(app.headerPanel);
  app.headerPanel = nullptr;
  if (app.quiz != nullptr) cleanUpMedia(*app.quiz, app.mainWindow);
  if (app.labelBrush != nullptr) DeleteObject(app.labelBrush);
  app.labelBrush = nullptr;
  delete app.quiz;
  app.quiz = nullptr;
}

int runPlayer(HINSTANCE instance) {
  if (!startPlayer(instance)) return 0;
  const int exitCode = runMessageLoop();
  shutDownPlayer();
  return exitCode;
}

}  // namespace mirvo
