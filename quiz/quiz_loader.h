#pragma once
// Fills the quiz from the executable's own "PATCH" resources, or with the
// demonstration quiz when the executable carries none. Win32 layer.

namespace mirvo {

struct Quiz;

// Texts of the loader's message boxes (caption kLoaderCaption), Windows-1252.
inline constexpr char kLoaderCaption[] = "Mirvo";
inline constexpr char kDescriptionUnreadable[] = "Erreur dans le d\xE9" "cryptage des reponses";
inline constexpr char kCodesMissing[] = "Codes non trouv\xE9s.";
inline constexpr char kCodesEmpty[] = "Codes non renseign\xE9s.";
inline constexpr char kCodesUnreadable[] = "Erreur dans le d\xE9" "cryptage des codes";
// Shown by the codec when it cannot allocate its result buffer.
inline constexpr char kCodecMemoryMessage[] = "Impossible d'allouer la memoire";
inline constexpr char kCodecMemoryCaption[] = "information";

// Runs once on a freshly constructed quiz. Reports failures itself. A
// description that cannot be unpacked or read leaves the construction values
// except questionCount, which becomes 0: no question is claimed without a
// record behind it.
void loadQuiz(Quiz& quiz);

// The built-in quiz of an executable without a description.
void fillDemonstrationQuiz(Quiz& quiz);

}  // namespace mirvo
