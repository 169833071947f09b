#pragma once
// The answer sheet's file name, from the path of the running executable.
// Portable: the Win32 side asks for the module path.

#include <string>
#include <string_view>

namespace mirvo {

// The file name without its directory, its last three characters replaced by
// "txt" ("Player.exe" gives "Player.txt"). A name shorter than three
// characters gets ".txt" appended instead, so the sheet never takes the
// executable's own name.
std::string sheetNameForModule(std::string_view modulePath);

}  // namespace mirvo
