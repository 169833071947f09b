#pragma once
// Judging an answer box: verdict, reveal, score and reward code. The result
// labels are the whole state of the evaluation: the score is recounted from
// their texts after every judgement.

#include <windows.h>

namespace mirvo {

struct Quiz;
struct QuizQuestion;

// When the header's score follows a judgement. The layout judges every
// restored answer before the panel is shown and recounts once at the end: a
// recount reads every result label, so one per box made a 96-question start
// quadratic (most of a second under Wine) for a header nobody sees yet.
enum class ScoreUpdate { Now, Later };

// Reads box `boxId` of the question panel, writes its verdict into the result
// label boxId + 1000, reveals or hides what the quiz's reveal mode shows for
// the question, and (ScoreUpdate::Now) recounts the score.
void judgeAnswerBox(Quiz& quiz, HWND questionPanel, int boxId, ScoreUpdate update = ScoreUpdate::Now);
// Shows the explanation and/or the answer picture of the question at
// `position` (counted from 0), as the quiz's reveal mode says.
void revealAnswer(const Quiz& quiz, HWND questionPanel, int position, const QuizQuestion& question);
// Writes " score / count" and the score-th reward code into the header panel.
void recountScore(const Quiz& quiz, HWND questionPanel);

}  // namespace mirvo
