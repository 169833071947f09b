#pragma once
// The ten words a judgement can end in. The result labels hold nothing but
// these texts, and the colours and the score are worked out by comparing the
// label text with them, so every part of the program uses these definitions.
// Windows-1252 bytes; each view is of a string literal, so data() is
// zero-terminated and may go straight to the A functions of Win32.

#include <array>
#include <string_view>

namespace mirvo::verdict {

inline constexpr std::string_view kNothingTyped = "?";
inline constexpr std::string_view kRight = "BRAVO";
inline constexpr std::string_view kAnagram = "Anagramme";
inline constexpr std::string_view kOneEdit = "Quasiment";
inline constexpr std::string_view kTwoEdits = "Presque";
inline constexpr std::string_view kTooShort = "Trop court";
inline constexpr std::string_view kNotFar = "pas loin";
inline constexpr std::string_view kTooLong = "Trop long";
inline constexpr std::string_view kMostlyAlike = "y a de l'id\xE9" "e";
inline constexpr std::string_view kWrong = "FAUX";

inline constexpr std::array<std::string_view, 10> kAll = {
    kNothingTyped, kRight, kAnagram, kOneEdit, kTwoEdits, kTooShort, kNotFar, kTooLong, kMostlyAlike, kWrong,
};

}  // namespace mirvo::verdict
