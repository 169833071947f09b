#include "media/media_host.h"

namespace mirvo {

// Placeholders until playback lands: no library, no player.
void prepareMediaHost(const Quiz&) {}
bool createMediaPlayer(const Quiz&, HWND) { return false; }
void cleanUpMedia(const Quiz&, HWND) {}

}  // namespace mirvo
