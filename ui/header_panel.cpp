#include "ui/header_panel.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"

namespace mirvo {

namespace {

constexpr int kByLabelId = 25;
constexpr int kCreatorLabelId = 26;
constexpr int kSaveButtonId = 27;
constexpr int kExplanationLabelId = 28;
constexpr int kTitleLabelId = 29;
constexpr int kCodeLabelId = 31;
constexpr int kScoreSeparatorId = 120;
constexpr int kLeftSeparatorId = 121;
constexpr int kRightSeparatorId = 122;
// Labels of the header painted on the panel colour.
constexpr int kFirstPaintedId = 20;
constexpr int kLastPaintedId = 32;

constexpr COLORREF kPanelColour = 16744576;  // red 128, green 128, blue 255
constexpr COLORREF kLinkColour = 16724530;   // red 50, green 50, blue 255

// What the panel owns besides its controls; kept in the dialog's user slot.
struct HeaderPanelState {
  HBRUSH brush = nullptr;
  HFONT linkFont = nullptr;
};

HeaderPanelState* stateOf(HWND panel) {
  return reinterpret_cast<HeaderPanelState*>(GetWindowLongPtrA(panel, DWLP_USER));
}

HWND createControl(HWND panel, const char* className, const char* text, DWORD style, int id, int x, int y,
                   int width, int height) {
  return CreateWindowExA(0, className, text, style, x, y, width, height, panel,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void setFont(HWND control, HGDIOBJ font, bool redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

void setGuiFont(HWND control) { setFont(control, GetStockObject(DEFAULT_GUI_FONT), true); }

// Underlined, three quarters of the label's height, the system's face.
HFONT createLinkFont(HWND link) {
  RECT client{};
  GetClientRect(link, &client);
  LOGFONTA font{};
  font.lfHeight = -((client.bottom - client.top) * 3 / 4);
  font.lfWeight = 400;
  font.lfUnderline = TRUE;
  return CreateFontIndirectA(&font);
}

BOOL onInitDialog(HWND panel) {
  const Quiz* quiz = app.quiz;
  auto* state = new HeaderPanelState{};
  SetWindowLongPtrA(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(state));

  constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE;
  // No word wrap, like the code label: a wrapped address shows only its tail.
  HWND link = createControl(panel, "Static", kMakerWebAddress, kLabel | SS_NOTIFY | SS_LEFTNOWORDWRAP, kLinkLabelId,
                            736, 5, 115, 18);
  state->linkFont = createLinkFont(link);
  setFont(link, state->linkFont, false);
  // The class cursor of every Static: only the link (SS_NOTIFY) takes the
  // mouse, the other labels let it through to the window beneath.
  SetClassLongPtrA(link, GCLP_HCURSOR,
                   reinterpret_cast<LONG_PTR>(LoadCursorA(GetModuleHandleA(nullptr),
                                                          MAKEINTRESOURCEA(MIRVO_LINK_CURSOR))));

  setGuiFont(createControl(panel, "Static", "Par :", kLabel, kByLabelId, 736, 25, 27, 18));
  setGuiFont(createControl(panel, "Static", quiz != nullptr ? quiz->creator : "", kLabel, kCreatorLabelId, 763, 25,
                           85, 18));
  setGuiFont(createControl(panel, "button", "Sauver", kLabel, kSaveButtonId, 666, 25, 55, 18));
  setGuiFont(createControl(panel, "Static", quiz != nullptr ? quiz->quizExplanation : "", kLabel,
                           kExplanationLabelId, 110, 19, 490, 27));
  // The title keeps the system font so that it stands out.
  createControl(panel, "Static", quiz != nullptr ? quiz->title : "", kLabel, kTitleLabelId, 110, 3, 220, 18);
  // Wine's GUI font is wider than the one this 36-pixel label was sized for: word wrap would then break at the
  // leading blank and show nothing at all. Without wrapping the label shows as much as fits.
  setGuiFont(createControl(panel, "Static", " Code :", kLabel | SS_LEFTNOWORDWRAP, kCodeLabelId, 10, 29, 36, 15));

  char score[32];
  std::snprintf(score, sizeof score, " 0 / %d", quiz != nullptr ? quiz->questionCount : 0);
  HWND scoreLabel = createControl(panel, "Static", score, kLabel | SS_CENTER, kScoreLabelId, 10, 1, 80, 20);
  if (quiz != nullptr) setFont(scoreLabel, quiz->scoreFont, false);

  setGuiFont(createControl(panel, "edit", "", kLabel | ES_READONLY, kCodeBoxId, 47, 29, 50, 16));

  createControl(panel, "Static", "", kLabel | WS_BORDER, kScoreSeparatorId, 0, 26, 100, 1);
  createControl(panel, "Static", "", kLabel | WS_BORDER, kLeftSeparatorId, 100, 0, 1, 50);
  createControl(panel, "Static", "", kLabel | WS_BORDER, kRightSeparatorId, 730, 0, 1, 50);

  state->brush = CreateSolidBrush(kPanelColour);
  return TRUE;
}

void place(HWND panel, int id, int x, int y, int width, int height, bool invalidate) {
  HWND control = GetDlgItem(panel, id);
  SetWindowPos(control, HWND_TOP, x, y, std::max(width, 0), height, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  if (invalidate) InvalidateRect(control, nullptr, FALSE);
}

// The right-hand group keeps its distance to the right edge; the
// explanation stretches between x 110 and 214 pixels before that edge.
void onSize(HWND panel) {
  RECT client{};
  GetClientRect(panel, &client);
  const int cw = client.right;
  place(panel, kLinkLabelId, cw - 134, 0, 115, 18, false);
  place(panel, kByLabelId, cw - 134, 25, 26, 18, false);
  place(panel, kCreatorLabelId, cw - 107, 25, 105, 18, true);
  place(panel, kSaveButtonId, cw - 204, 25, 55, 18, true);
  place(panel, kExplanationLabelId, 110, 19, cw - 324, 28, true);
  place(panel, kRightSeparatorId, cw - 145, 0, 1, 50, true);
}

void onCommand(WPARAM wParam) {
  // Whole wParam: a click on the link, not a double-click (STN_DBLCLK).
  if (wParam == kLinkLabelId) {
    ShellExecuteA(nullptr, "open", kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
  } else if (wParam == MAKEWPARAM(kSaveButtonId, BN_CLICKED)) {
    saveAnswerSheet(app.questionPanel);
  }
}

INT_PTR onCtlColorStatic(HWND panel, HDC dc, HWND control) {
  const HeaderPanelState* state = stateOf(panel);
  if (state == nullptr) return 0;
  const int id = GetDlgCtrlID(control);
  if (id == kLinkLabelId) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLinkColour);
    return reinterpret_cast<INT_PTR>(state->brush);
  }
  if (id >= kFirstPaintedId && id <= kLastPaintedId) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(state->brush);
  }
  return 0;
}

INT_PTR onCtlColorDlg(HWND panel) {
  const HeaderPanelState* state = stateOf(panel);
  return state != nullptr ? reinterpret_cast<INT_PTR>(state->brush) : 0;
}

// Last message of the panel: its controls are gone, so the font and the
// brush they were drawn with can go too.
void onNcDestroy(HWND panel) {
  HeaderPanelState* state = stateOf(panel);
  if (state == nullptr) return;
  SetWindowLongPtrA(panel, DWLP_USER, 0);
  if (state->brush != nullptr) DeleteObject(state->brush);
  if (state->linkFont != nullptr) DeleteObject(state->linkFont);
  delete state;
}

}  // namespace

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(panel);
    case WM_SIZE:
      onSize(panel);
      return FALSE;
    case WM_COMMAND:
      onCommand(wParam);
      return FALSE;
    case WM_CTLCOLORDLG:
      return onCtlColorDlg(panel);
    case WM_CTLCOLORSTATIC:
      return onCtlColorStatic(panel, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY:
      onNcDestroy(panel);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace mirvo
