#pragma once
// Control identifiers of the player's panels. Judging, scoring, the answer
// sheet, the media buttons and the key handling all find controls through
// these numbers, so they live in one place.

namespace mirvo {

// Question panel; k is the running number of an answer box, i the question.
inline constexpr int kNumberLabelId = 153;        // shared by every number label
inline constexpr int kColumnLabelId = 156;        // shared by every column label
inline constexpr int kQuestionLabelId = 3000;     // shared by every question label
inline constexpr int kAnswerBoxBase = 4000;       // + k
inline constexpr int kResultLabelBase = 5000;     // + k, always its box + 1000
inline constexpr int kResultLabelOffset = kResultLabelBase - kAnswerBoxBase;
inline constexpr int kPlayButtonBase = 6000;      // + i
inline constexpr int kStopButtonBase = 7000;      // + i
inline constexpr int kExplanationLabelBase = 8000;  // + i
inline constexpr int kPlayerHostId = 9900;
inline constexpr int kPictureBoxBase = 9900;      // + i

// Header panel.
inline constexpr int kLinkLabelId = 24;
inline constexpr int kCodeBoxId = 30;
inline constexpr int kScoreLabelId = 32;

// Main window.
inline constexpr int kVersionLabelId = 8000;

}  // namespace mirvo
