// The main window, the header panel and the player's own resources, read
// back from real windows. The executable carries no quiz, so the process
// quiz is the demonstration quiz.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "recorded_messages.h"
#include "resources/resource_ids.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/header_panel.h"
#include "ui/main_window.h"

namespace mirvo {
namespace {

HINSTANCE self() { return GetModuleHandleA(nullptr); }

std::string windowText(HWND window) {
  char text[kTextSlotSize] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A child's rectangle in its parent's client coordinates.
RECT placeOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT clientOf(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

HFONT fontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

void expectPlace(HWND window, int x, int y, int width, int height) {
  const RECT rect = placeOf(window);
  EXPECT_EQ(rect.left, x);
  EXPECT_EQ(rect.top, y);
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
}

void drainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) DispatchMessageA(&message);
  }
}

// ---- resources -------------------------------------------------------------

struct ParsedTemplate {
  DWORD style = 0;
  DWORD extendedStyle = 0;
  int controls = -1;
  int x = -1, y = -1, cx = -1, cy = -1;
  bool noMenu = false, defaultClass = false, emptyCaption = false;
  int pointSize = 0;
  std::string face;
};

ParsedTemplate readTemplate(int id) {
  ParsedTemplate t;
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (info == nullptr) return t;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
  auto word = [&](std::size_t at) { return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8)); };
  auto dword = [&](std::size_t at) { return static_cast<DWORD>(word(at) | (word(at + 2) << 16)); };
  t.style = dword(0);
  t.extendedStyle = dword(4);
  t.controls = word(8);
  t.x = static_cast<short>(word(10));
  t.y = static_cast<short>(word(12));
  t.cx = static_cast<short>(word(14));
  t.cy = static_cast<short>(word(16));
  std::size_t at = 18;
  t.noMenu = word(at) == 0;
  at += 2;
  t.defaultClass = word(at) == 0;
  at += 2;
  t.emptyCaption = word(at) == 0;
  at += 2;
  if (t.style & DS_SETFONT) {
    t.pointSize = word(at);
    for (at += 2; word(at) != 0; at += 2) t.face += static_cast<char>(word(at));
  }
  return t;
}

TEST(PlayerResources, PanelTemplatesAreEmptyChildDialogs) {
  const struct {
    int id;
    DWORD style;
  } rows[] = {
      {MIRVO_QUESTION_PANEL_TEMPLATE, WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | DS_SETFONT},
      {MIRVO_HEADER_PANEL_TEMPLATE, WS_CHILD | WS_BORDER | DS_SETFONT},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    const ParsedTemplate t = readTemplate(row.id);
    EXPECT_EQ(t.style, row.style);
    EXPECT_EQ(t.extendedStyle, 0u);
    EXPECT_EQ(t.controls, 0);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 86);
    EXPECT_EQ(t.cy, 100);
    EXPECT_TRUE(t.noMenu);
    EXPECT_TRUE(t.defaultClass);
    EXPECT_TRUE(t.emptyCaption);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.face, "MS Sans Serif");
  }
}

// Pixels of an icon drawn on white: what is black and what is light grey.
TEST(PlayerResources, PlayAndStopIconsAreBlackShapesOnLightGrey) {
  constexpr COLORREF kBlack = RGB(0, 0, 0);
  constexpr COLORREF kGrey = RGB(192, 192, 192);
  const struct {
    int id;
    int x, y;
    COLORREF colour;
  } rows[] = {
      {MIRVO_PLAY_ICON, 0, 0, kGrey},    {MIRVO_PLAY_ICON, 31, 31, kGrey},  {MIRVO_PLAY_ICON, 11, 15, kBlack},
      {MIRVO_PLAY_ICON, 22, 15, kBlack}, {MIRVO_PLAY_ICON, 22, 7, kGrey},   {MIRVO_PLAY_ICON, 26, 15, kGrey},
      {MIRVO_STOP_ICON, 11, 11, kBlack}, {MIRVO_STOP_ICON, 20, 20, kBlack}, {MIRVO_STOP_ICON, 10, 10, kGrey},
      {MIRVO_STOP_ICON, 21, 21, kGrey},  {MIRVO_STOP_ICON, 0, 0, kGrey},
  };
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 32, 32);
  HGDIOBJ old = SelectObject(dc, canvas);
  for (const auto& row : rows) {
    HICON icon = static_cast<HICON>(LoadImageA(self(), MAKEINTRESOURCEA(row.id), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr) << row.id;
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(dc, row.x, row.y), row.colour) << "icon " << row.id << " at " << row.x << "," << row.y;
    DestroyIcon(icon);
  }
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST(PlayerResources, LinkCursorIsMonochromeWithItsHotSpotAtTheFingertip) {
  HCURSOR cursor = LoadCursorA(self(), MAKEINTRESOURCEA(MIRVO_LINK_CURSOR));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr);  // monochrome: the mask holds both halves
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
}

TEST(PlayerResources, VersionBlockSays212) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  ASSERT_NE(info, nullptr);
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
  const DWORD size = SizeofResource(nullptr, info);
  const VS_FIXEDFILEINFO* fixed = nullptr;
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    const auto* candidate = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + at);
    if (candidate->dwSignature == 0xFEEF04BD) {
      fixed = candidate;
      break;
    }
  }
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00020001u);
}

// ---- main window and header panel -----------------------------------------

// A stand-in for the question panel, so that these tests see the main
// window and the header alone.
INT_PTR CALLBACK emptyPanelProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class PlayerWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registerMainWindowClass(self()));
    quiz_ = new Quiz();
    fillDemonstrationQuiz(*quiz_);
    app.quiz = quiz_;
    app.labelBrush = CreateSolidBrush(kLabelBrushColour);
    app.mainWindow = createMainWindow(self(), quiz_->title);
    ASSERT_NE(app.mainWindow, nullptr);
  }

  void createPanels() {
    app.headerPanel = CreateDialogParamA(self(), MAKEINTRESOURCEA(MIRVO_HEADER_PANEL_TEMPLATE), app.mainWindow,
                                         headerPanelProc, 0);
    app.questionPanel = CreateDialogParamA(self(), MAKEINTRESOURCEA(MIRVO_QUESTION_PANEL_TEMPLATE),
                                           app.mainWindow, emptyPanelProc, 0);
    ASSERT_NE(app.headerPanel, nullptr);
    ASSERT_NE(app.questionPanel, nullptr);
    ShowWindow(app.headerPanel, SW_SHOWNORMAL);
    ShowWindow(app.mainWindow, SW_SHOWNORMAL);
    ShowWindow(app.questionPanel, SW_SHOWNORMAL);
  }

  void TearDown() override {
    if (app.mainWindow != nullptr) DestroyWindow(app.mainWindow);
    drainMessages();
    UnregisterClassA(kMainWindowClass, self());
    DeleteObject(app.labelBrush);
    delete quiz_;
    app = AppState{};
  }

  HWND header(int id) const { return GetDlgItem(app.headerPanel, id); }

  Quiz* quiz_ = nullptr;
};

TEST_F(PlayerWindows, ClassIsWindowsAppWithTheSystemIconAndArrow) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExA(self(), kMainWindowClass, &info));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(info.lpfnWndProc, &mainWindowProc);
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1));
  EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(info.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
  // A second registration fails, and so does the start-up that needs it.
  EXPECT_FALSE(registerMainWindowClass(self()));
  EXPECT_FALSE(startPlayer(self()));
}

TEST_F(PlayerWindows, MainWindowIs544By375TitledAndCentred) {
  centreOnDesktop(app.mainWindow);
  EXPECT_EQ(windowText(app.mainWindow), "Nom du mirvo");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(app.mainWindow, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
            static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
  RECT own{};
  RECT desktop{};
  GetWindowRect(app.mainWindow, &own);
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(own.right - own.left, kMainWindowWidth);
  EXPECT_EQ(own.bottom - own.top, kMainWindowHeight);
  EXPECT_EQ(own.left, desktop.left + (desktop.right - desktop.left - kMainWindowWidth) / 2);
  EXPECT_EQ(own.top, desktop.top + (desktop.bottom - desktop.top - kMainWindowHeight) / 2);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(app.mainWindow, WM_GETICON, ICON_BIG, 0)),
            LoadIconA(nullptr, IDI_QUESTION));
}

TEST_F(PlayerWindows, VersionLabelSaysWhichVersionMadeTheQuiz) {
  HWND label = GetDlgItem(app.mainWindow, kVersionLabelId);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(windowText(label), "(BETA) R\xE9" "alis\xE9 avec la version 2.1.2");
  EXPECT_EQ(fontOf(label), GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(label, GWL_STYLE)) & (WS_CHILD | WS_VISIBLE | SS_TYPEMASK),
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_LEFT));
}

TEST_F(PlayerWindows, SizeMessagesLayOutPanelsAndLabel) {
  createPanels();
  const struct {
    int width, height;
  } sizes[] = {{kMainWindowWidth, kMainWindowHeight}, {900, 600}, {300, 200}, {60, 60}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    SetWindowPos(app.mainWindow, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER);
    const RECT client = clientOf(app.mainWindow);
    const int w = client.right;
    const int h = client.bottom;
    expectPlace(app.questionPanel, 5, 50, std::max(w - 11, 0), std::max(h - 68, 0));
    expectPlace(app.headerPanel, 5, 2, std::max(w - 11, 0), 49);
    expectPlace(GetDlgItem(app.mainWindow, kVersionLabelId), w - 185, h - 16, 180, 15);
  }
}

TEST_F(PlayerWindows, MinimisingLeavesEverythingWhereItWas) {
  createPanels();
  const RECT question = placeOf(app.questionPanel);
  const RECT label = placeOf(GetDlgItem(app.mainWindow, kVersionLabelId));
  SendMessageA(app.mainWindow, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
  ShowWindow(app.mainWindow, SW_MINIMIZE);
  const RECT questionAfter = placeOf(app.questionPanel);
  const RECT labelAfter = placeOf(GetDlgItem(app.mainWindow, kVersionLabelId));
  EXPECT_TRUE(EqualRect(&question, &questionAfter));
  EXPECT_TRUE(EqualRect(&label, &labelAfter));
}

TEST_F(PlayerWindows, OnlyTheVersionLabelGetsTheLabelBrush) {
  createPanels();
  HDC dc = GetDC(app.mainWindow);
  SetTextColor(dc, RGB(1, 2, 3));
  HWND label = GetDlgItem(app.mainWindow, kVersionLabelId);
  EXPECT_EQ(SendMessageA(app.mainWindow, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(label)),
            reinterpret_cast<LRESULT>(app.labelBrush));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageA(app.mainWindow, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(app.headerPanel)),
            0);
  ReleaseDC(app.mainWindow, dc);
  LOGBRUSH brush{};
  GetObjectA(app.labelBrush, sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, RGB(212, 208, 200));
}

TEST_F(PlayerWindows, CloseDeletesTheClipFileAndEndsTheLoopWithoutDestroying) {
  createPanels();
  HANDLE file = CreateFileA(kCloseClipFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  PostMessageA(app.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(runMessageLoop(), 0);
  EXPECT_EQ(GetFileAttributesA(kCloseClipFile), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(IsWindow(app.mainWindow));
  // Closing again, with no file left, still ends the loop.
  PostMessageA(app.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(runMessageLoop(), 0);
}

struct HeaderControl {
  int id;
  const char* className;
  std::string text;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE
  int x, y, width, height;
};

TEST_F(PlayerWindows, HeaderControlsSitWhereTheyWereCreatedOrAligned) {
  createPanels();
  const RECT client = clientOf(app.headerPanel);
  const int cw = client.right;
  const HeaderControl rows[] = {
      {kLinkLabelId, "Static", kMakerWebAddress, SS_NOTIFY | SS_LEFTNOWORDWRAP, cw - 134, 0, 115, 18},
      {25, "Static", "Par :", 0, cw - 134, 25, 26, 18},
      {26, "Static", "Createur mirvo", 0, cw - 107, 25, 105, 18},
      {27, "Button", "Sauver", 0, cw - 204, 25, 55, 18},
      {28, "Static", "Explications du mirvo", 0, 110, 19, cw - 324, 28},
      {29, "Static", "Nom du mirvo", 0, 110, 3, 220, 18},
      {31, "Static", " Code :", SS_LEFTNOWORDWRAP, 10, 29, 36, 15},
      {kScoreLabelId, "Static", " 0 / 7", SS_CENTER, 10, 1, 80, 20},
      {kCodeBoxId, "Edit", "", ES_READONLY, 47, 29, 50, 16},
      {120, "Static", "", WS_BORDER, 0, 26, 100, 1},
      {121, "Static", "", WS_BORDER, 100, 0, 1, 50},
      {122, "Static", "", WS_BORDER, cw - 145, 0, 1, 50},
  };
  for (const HeaderControl& row : rows) {
    SCOPED_TRACE(row.id);
    HWND control = header(row.id);
    ASSERT_NE(control, nullptr);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_STRCASEEQ(className, row.className);
    EXPECT_EQ(windowText(control), row.text);
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | row.style), WS_CHILD | WS_VISIBLE | row.style);
    EXPECT_EQ(style & WS_BORDER, row.style & WS_BORDER);
    EXPECT_EQ(style & WS_TABSTOP, 0u);
    expectPlace(control, row.x, row.y, row.width, row.height);
  }
}

TEST_F(PlayerWindows, HeaderRightGroupFollowsTheRightEdge) {
  createPanels();
  for (int panelWidth : {533, 800, 1200}) {
    SCOPED_TRACE(panelWidth);
    SetWindowPos(app.headerPanel, nullptr, 0, 0, panelWidth, 49, SWP_NOMOVE | SWP_NOZORDER);
    const int cw = clientOf(app.headerPanel).right;
    EXPECT_EQ(placeOf(header(kLinkLabelId)).left, cw - 134);
    EXPECT_EQ(placeOf(header(27)).left, cw - 204);
    EXPECT_EQ(placeOf(header(122)).left, cw - 145);
    const RECT explanation = placeOf(header(28));
    EXPECT_EQ(explanation.right - explanation.left, cw - 324);
    EXPECT_EQ(placeOf(header(29)).left, 110);  // not moved
  }
}

TEST_F(PlayerWindows, HeaderFontsAndLinkCursor) {
  createPanels();
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  for (int id : {25, 26, 27, 28, 31, kCodeBoxId}) EXPECT_EQ(fontOf(header(id)), gui) << id;
  EXPECT_EQ(fontOf(header(29)), nullptr) << "the title keeps the system font";
  EXPECT_EQ(fontOf(header(kScoreLabelId)), quiz_->scoreFont);

  LOGFONTA link{};
  ASSERT_EQ(GetObjectA(fontOf(header(kLinkLabelId)), sizeof link, &link), static_cast<int>(sizeof link));
  EXPECT_EQ(link.lfHeight, -13);
  EXPECT_EQ(link.lfWeight, 400);
  EXPECT_TRUE(link.lfUnderline);
  EXPECT_STREQ(link.lfFaceName, "");

  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(header(kLinkLabelId), GCLP_HCURSOR)),
            LoadCursorA(self(), MAKEINTRESOURCEA(MIRVO_LINK_CURSOR)));
}

TEST_F(PlayerWindows, HeaderPaintsItsLabelsOnItsOwnBlue) {
  createPanels();
  HDC dc = GetDC(app.headerPanel);
  auto colourFor = [&](HWND control) {
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(1, 2, 3));
    return reinterpret_cast<HBRUSH>(SendMessageA(app.headerPanel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
  };
  HBRUSH panelBrush = reinterpret_cast<HBRUSH>(
      SendMessageA(app.headerPanel, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(app.headerPanel)));
  ASSERT_NE(panelBrush, nullptr);
  LOGBRUSH info{};
  GetObjectA(panelBrush, sizeof info, &info);
  EXPECT_EQ(info.lbColor, 16744576u);

  EXPECT_EQ(colourFor(header(kLinkLabelId)), panelBrush);
  EXPECT_EQ(GetTextColor(dc), 16724530u);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  for (int id : {25, 26, 28, 29, 31, kScoreLabelId, kCodeBoxId}) {
    EXPECT_EQ(colourFor(header(id)), panelBrush) << id;
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3)) << id;
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << id;
  }
  // The separators are left to the dialog's default colours.
  for (int id : {120, 121, 122}) EXPECT_NE(colourFor(header(id)), panelBrush) << id;
  ReleaseDC(app.headerPanel, dc);

  DestroyWindow(app.headerPanel);
  EXPECT_EQ(GetObjectType(panelBrush), 0u) << "the panel brush goes with the panel";
}

std::string fileStart(const std::string& name, std::size_t length) {
  std::string bytes(length, '\0');
  FILE* f = std::fopen(name.c_str(), "rb");
  if (f == nullptr) return "(no file)";
  bytes.resize(std::fread(bytes.data(), 1, length, f));
  std::fclose(f);
  return bytes;
}

// The whole start-up with the real question panel, then "Sauver" and a close,
// each of which writes the answer sheet.
TEST(PlayerStartUp, ShowsTheDemonstrationQuizSavesAndShutsDownInOrder) {
  const std::string sheet = answerSheetName();
  DeleteFileA(sheet.c_str());
  testing::MessageRecorder recorder;
  ASSERT_TRUE(startPlayer(self()));
  ASSERT_NE(app.quiz, nullptr);
  EXPECT_EQ(app.quiz->headerPanel, app.headerPanel);
  EXPECT_EQ(windowText(app.mainWindow), "Nom du mirvo");
  EXPECT_TRUE(IsWindowVisible(app.mainWindow));
  EXPECT_TRUE(IsWindowVisible(app.headerPanel));
  EXPECT_TRUE(IsWindowVisible(app.questionPanel));
  EXPECT_EQ(GetParent(app.headerPanel), app.mainWindow);
  EXPECT_EQ(GetParent(app.questionPanel), app.mainWindow);
  const int w = clientOf(app.mainWindow).right;
  expectPlace(app.headerPanel, 5, 2, w - 11, 49);
  expectPlace(app.questionPanel, 5, 50, w - 11, clientOf(app.mainWindow).bottom - 68);
  EXPECT_TRUE(recorder.messages().empty());

  SetDlgItemTextA(app.questionPanel, kAnswerBoxBase + 1, "Goku");
  HWND save = GetDlgItem(app.headerPanel, 27);
  SendMessageA(app.headerPanel, WM_COMMAND, MAKEWPARAM(27, BN_CLICKED), reinterpret_cast<LPARAM>(save));
  EXPECT_EQ(fileStart(sheet, 6), "Goku\r\n") << "Sauver writes the sheet";
  DeleteFileA(sheet.c_str());

  PostMessageA(app.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(runMessageLoop(), 0);
  EXPECT_EQ(fileStart(sheet, 6), "Goku\r\n") << "closing writes the sheet";
  DeleteFileA(sheet.c_str());
  HWND headerPanel = app.headerPanel;
  HWND mainWindow = app.mainWindow;
  shutDownPlayer();
  EXPECT_FALSE(IsWindow(headerPanel));
  EXPECT_EQ(app.quiz, nullptr);
  DestroyWindow(mainWindow);
  drainMessages();
  UnregisterClassA(kMainWindowClass, self());
  app = AppState{};
}

}  // namespace
}  // namespace mirvo
