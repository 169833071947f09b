#include "ui/app_state.h"

namespace mirvo {

AppState app;

}  // namespace mirvo
