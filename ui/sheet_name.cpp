#include "ui/sheet_name.h"

namespace mirvo {

std::string sheetNameForModule(std::string_view modulePath) {
  const std::size_t slash = modulePath.find_last_of('\\');
  std::string name(slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1));
  constexpr std::string_view kLetters = "txt";
  if (name.size() < kLetters.size()) return name + ".txt";
  name.replace(name.size() - kLetters.size(), kLetters.size(), kLetters);
  return name;
}

}  // namespace mirvo
