#include "ui/question_panel.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <utility>

#include "evaluation/judgement.h"
#include "media/media_host.h"
#include "media/picture_fit.h"
#include "media/picture_loader.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/answer_box.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/deferred_pictures.h"
#include "ui/panel_layout.h"
#include "ui/panel_colours.h"
#include "ui/panel_scrolling.h"

namespace mirvo {

int contentWidth = 0;
int contentHeight = 0;
WNDPROC editClassProc = nullptr;

namespace {

constexpr DWORD kNumberLabelStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kFramedLabelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER | SS_CENTERIMAGE;
constexpr DWORD kColumnLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kExplanationLabelStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD kAnswerBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kPictureBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE;
constexpr DWORD kMediaButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
constexpr char kUnjudged[] = "?";

enum class ControlFont { None, Gui, Answer };

// A cell's question picture as the row measuring found it: decoded already
// (its header could not be read, so only a decode could measure it), to be
// decoded once the panel is up (a size from its header), or none.
struct RowPicture {
  HBITMAP bitmap = nullptr;
  FittedSize deferred;
};

// The pictures of the row being laid out. The row is measured from the
// pictures' headers where they can be read, without decoding; a picture
// decoded to be measured is kept for its cell, so nothing is decoded twice
// per layout. What a cell takes is the picture box's to own; pictures
// measured beyond the last question are released with the row.
class RowPictures {
 public:
  RowPictures() = default;
  RowPictures(const RowPictures&) = delete;
  RowPictures& operator=(const RowPictures&) = delete;
  ~RowPictures() { release(); }

  // Measures the pictures of questions first..first+2 and returns the row's
  // height: the tallest of them, a missing one counting 0.
  int measure(int firstQuestion) {
    release();
    first_ = firstQuestion;
    int height = 0;
    for (int n = 0; n < kCellsPerRow; ++n) {
      const int id = MIRVO_QUESTION_MEDIA_BASE + firstQuestion + n;
      const PictureProbe probe = probeFittedPicture(nullptr, id, MIRVO_MEDIA_TYPE, kPictureBoxSize, kPictureBoxSize);
      if (probe.state == PictureProbe::State::Unknown) {
        pictures_[n].bitmap = loadFittedPicture(nullptr, id, MIRVO_MEDIA_TYPE, kPictureBoxSize, kPictureBoxSize);
        height = std::max(height, sizeOf(pictures_[n].bitmap).height);
      } else if (probe.state == PictureProbe::State::Known && probe.fitted.width > 0 && probe.fitted.height > 0) {
        // A sliver with no pixel left is no picture, as the loader makes it.
        pictures_[n].deferred = probe.fitted;
        height = std::max(height, probe.fitted.height);
      }
    }
    return height;
  }

  // The picture of `question`, handed over.
  RowPicture take(int question) {
    const int n = question - first_;
    if (n < 0 || n >= kCellsPerRow) return {};
    return std::exchange(pictures_[n], RowPicture{});
  }

  static FittedSize sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return {};
    return {info.bmWidth, info.bmHeight};
  }

 private:
  void release() {
    for (RowPicture& picture : pictures_) {
      if (picture.bitmap != nullptr) DeleteObject(picture.bitmap);
      picture = {};
    }
  }

  std::array<RowPicture, kCellsPerRow> pictures_{};
  int first_ = 0;
};

// Holds the answer sheet open while the rows are built.
class OpenSheet {
 public:
  OpenSheet() : view_(openAnswerSheet()) {}
  OpenSheet(const OpenSheet&) = delete;
  OpenSheet& operator=(const OpenSheet&) = delete;
  ~OpenSheet() { closeAnswerSheet(view_); }

  // The initial text of the next answer box, in creation order.
  const char* nextLine() {
    nextSheetLine(view_, position_, line_);
    return line_;
  }

 private:
  AnswerSheetView view_;
  std::size_t position_ = 0;
  char line_[kTextSlotSize] = {};
};

// One layout pass over the quiz.
class PanelBuilder {
 public:
  PanelBuilder(Quiz& quiz, HWND panel)
      : quiz_(quiz),
        panel_(panel),
        instance_(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(panel, GWLP_HINSTANCE))),
        questions_(std::clamp(quiz.questionCount, 0, kMaxQuestions)),
        answers_(quiz.answersPerQuestion == 2 ? 2 : 1) {}

  void build() {
    answerFont_ = quiz_.createAnswerFont();
    for (int i = 1; i <= questions_; ++i) {
      if (quiz_.type == QuizType::Text) {
        layOutTextRow(i);
      } else if (isGridType(quiz_.type)) {
        layOutGridCell(i);
      }
    }
    contentWidth += contentWidthMargin(answers_);
  }

  // The pictures left for the panel to decode; null when there are none.
  std::unique_ptr<DeferredPictures> takeDeferredPictures() { return std::move(deferred_); }
  // Whether any box was judged, so the header's score needs its one recount.
  bool judgedAny() const { return judgedAny_; }

 private:
  HWND create(const char* className, const char* text, DWORD style, const PanelRect& r, int id,
              ControlFont font) const {
    HWND control = CreateWindowExA(0, className, text, style, r.x, r.y, r.width, r.height, panel_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (control == nullptr) return nullptr;
    if (font == ControlFont::Gui) {
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    } else if (font == ControlFont::Answer) {
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(answerFont_), FALSE);
    }
    return control;
  }

  void createNumberLabel(int question, const PanelRect& r) const {
    char number[16];
    std::snprintf(number, sizeof number, "%d.", question);
    create("Static", number, kNumberLabelStyle, r, kNumberLabelId, ControlFont::None);
  }

  void createAnswerBox(int boxNumber, const PanelRect& r) {
    HWND box = create("Edit", sheet_.nextLine(), kAnswerBoxStyle, r, kAnswerBoxBase + boxNumber,
                      ControlFont::Answer);
    if (box == nullptr) return;
    editClassProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(box, GWL_WNDPROC, reinterpret_cast<LONG>(reinterpret_cast<void*>(&answerBoxProc))));
  }

  void judge(int boxNumber) {
    judgeAnswerBox(quiz_, panel_, kAnswerBoxBase + boxNumber, ScoreUpdate::Later);
    judgedAny_ = true;
  }

  void layOutTextRow(int i) {
    const TextRow row = textRow(rowTop_);
    createNumberLabel(i, row.numberLabel);
    // A count above the records held repeats the last record; an empty list
    // (a description that failed to unpack) shows empty questions.
    const QuizQuestion* record = quiz_.questionAt(i - 1);
    create("Static", record != nullptr ? record->questionText : "", kFramedLabelStyle, row.questionLabel,
           kQuestionLabelId, ControlFont::Gui);
    // One box per question whatever the answers per question.
    createAnswerBox(i, row.answerBox);
    create("Static", kUnjudged, kFramedLabelStyle, row.resultLabel, kResultLabelBase + i, ControlFont::None);
    judge(i);
    rowTop_ += kTextRowStep;
    contentWidth = kTextContentWidth;
    contentHeight = rowTop_;
  }

  void layOutPicture(int i, const GridCell& cell) {
    const RowPicture taken = pictures_.take(i);
    HBITMAP picture = taken.bitmap;
    FittedSize size = picture != nullptr ? RowPictures::sizeOf(picture) : taken.deferred;
    if (size.width <= 0 || size.height <= 0) size = {kPictureBoxSize, rowHeight_};
    HWND box = create("Static", nullptr, kPictureBoxStyle,
                      pictureBoxRect(cell, rowTop_, rowHeight_, size.width, size.height), kPictureBoxBase + i,
                      ControlFont::None);
    if (picture == nullptr) {
      // The box already has its final place; the bitmap comes after start-up.
      if (box != nullptr && taken.deferred.width > 0) deferPicture({i, cell, rowTop_, rowHeight_, taken.deferred});
      return;
    }
    if (box == nullptr) {
      DeleteObject(picture);
      return;
    }
    SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    // A control that keeps a copy of the bitmap (as version 6 controls do for
    // bitmaps with alpha) leaves ours unused.
    if (reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0)) != picture) {
      DeleteObject(picture);
    }
  }

  void layOutGridCell(int i) {
    if (quiz_.type == QuizType::Picture && firstInRow(i)) rowHeight_ = pictures_.measure(i);
    const GridCell cell = gridCell(quiz_.type, answers_, i, rowTop_, rowHeight_);
    if (quiz_.type == QuizType::Picture) layOutPicture(i, cell);

    if (firstInRow(i) && answers_ == 2) {
      create("Static", quiz_.columnLabel1, kColumnLabelStyle, columnLabelRect(cell, 1), kColumnLabelId,
             ControlFont::Gui);
      create("Static", quiz_.columnLabel2, kColumnLabelStyle, columnLabelRect(cell, 2), kColumnLabelId,
             ControlFont::Gui);
    }
    createNumberLabel(i, gridNumberLabelRect(cell));
    if (isMediaType(quiz_.type)) {
      createMediaButton(kPlayButtonBase + i, playButtonRect(cell), mediaHost.playIcon);
      createMediaButton(kStopButtonBase + i, stopButtonRect(cell), mediaHost.stopIcon);
    }
    for (int j = 1; j <= answers_; ++j) {
      const int k = gridAnswerNumber(i, answers_, j);
      createAnswerBox(k, gridAnswerBoxRect(cell, j));
      create("Static", kUnjudged, kFramedLabelStyle, gridResultLabelRect(cell, j), kResultLabelBase + k,
             answers_ == 2 ? ControlFont::Gui : ControlFont::None);
    }
    if (showsExplanation(quiz_.revealMode)) {
      create("Static", "", kExplanationLabelStyle, explanationLabelRect(cell), kExplanationLabelBase + i,
             ControlFont::Gui);
    }
    for (int j = 1; j <= answers_; ++j) judge(gridAnswerNumber(i, answers_, j));

    const int bottom = gridRowBottom(cell.answerTop, quiz_.revealMode);
    if (lastInRow(i)) rowTop_ = bottom;
    if (firstInRow(i)) {
      contentWidth = kGridContentWidth;
      contentHeight = bottom;
    }
  }

  void deferPicture(const DeferredPicture& picture) {
    if (deferred_ == nullptr) deferred_ = std::make_unique<DeferredPictures>();
    deferred_->add(picture);
  }

  void createMediaButton(int id, const PanelRect& r, HICON icon) const {
    HWND button = create("Button", "", kMediaButtonStyle, r, id, ControlFont::None);
    if (button != nullptr) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  }

  Quiz& quiz_;
  HWND panel_;
  HINSTANCE instance_;
  const int questions_;
  const int answers_;
  HFONT answerFont_ = nullptr;
  OpenSheet sheet_;
  RowPictures pictures_;
  std::unique_ptr<DeferredPictures> deferred_;
  bool judgedAny_ = false;
  int rowTop_ = kFirstRowTop;
  int rowHeight_ = 0;
};

void applyScrollBar(HWND panel, int bar, const ScrollBarSetup& setup) {
  if (setup.fits) SetScrollPos(panel, bar, 0, FALSE);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = setup.maximum;
  // With nothing laid out the page is -1; the system clamps the page to the
  // range, and the bar shows disabled.
  info.nPage = static_cast<UINT>(setup.page);
  SetScrollInfo(panel, bar, &info, TRUE);
}

BOOL onInitDialog(HWND panel) {
  contentWidth = 0;
  contentHeight = 0;
  Quiz* quiz = app.quiz;
  if (quiz == nullptr) return TRUE;
  // Without the player control a media quiz shows nothing, not even its
  // answer boxes; the answer sheet stays unread.
  if (isMediaType(quiz->type) && !createMediaPlayer(*quiz, panel)) return TRUE;
  layoutQuestions(*quiz, panel);
  return TRUE;
}

// A picture box owns the bitmap it shows; static controls never delete one.
void onDestroy(HWND panel) {
  dropDeferredPictures(panel);
  for (int i = 1; i <= kMaxQuestions; ++i) {
    HWND box = GetDlgItem(panel, kPictureBoxBase + i);
    if (box == nullptr) continue;
    HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

}  // namespace

void layoutQuestions(Quiz& quiz, HWND panel) {
  std::unique_ptr<DeferredPictures> deferred;
  {
    PanelBuilder builder(quiz, panel);
    builder.build();
    if (builder.judgedAny()) recountScore(quiz, panel);
    deferred = builder.takeDeferredPictures();
  }  // the sheet is released and the unused pictures freed before the bars are set
  setupScrollRanges(panel);
  // Last: the first decode is a posted message, taken once start-up has
  // shown the window and runs the message loop.
  startDeferredPictures(panel, std::move(deferred));
}

void setupScrollRanges(HWND panel) {
  RECT client{};
  GetClientRect(panel, &client);
  applyScrollBar(panel, SB_HORZ, scrollBarSetup(contentWidth, client.right - client.left, scrollUnit));
  applyScrollBar(panel, SB_VERT, scrollBarSetup(contentHeight, client.bottom - client.top, scrollUnit));
}

INT_PTR CALLBACK questionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(panel);
    case WM_DESTROY:
      onDestroy(panel);
      return FALSE;
    case kDecodePictureMessage:
      onDecodePicture(panel);
      return TRUE;
    case WM_SIZE:
      return onPanelSize(panel);
    case WM_HSCROLL:
      return onPanelHScroll(panel, wParam);
    case WM_VSCROLL:
      return onPanelVScroll(panel, wParam);
    case WM_MOUSEWHEEL:
      return onPanelMouseWheel(panel, wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return app.quiz ? onPanelCtlColorStatic(*app.quiz, panel, reinterpret_cast<HDC>(wParam),
                                              reinterpret_cast<HWND>(lParam))
                      : 0;
    case WM_CTLCOLORDLG:
      return app.quiz ? onPanelCtlColorDlg(*app.quiz) : 0;
    case WM_COMMAND:
      if (app.quiz) onPanelMediaCommand(*app.quiz, panel, wParam);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace mirvo
