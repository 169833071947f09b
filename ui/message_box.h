#pragma once
// Every message box of the player goes through here, so that a test can record
// caption and text instead of blocking on a modal box.

namespace mirvo {

// Receives what would be shown. No owner window, OK button only.
using MessageSink = void (*)(const char* text, const char* caption);

void showMessage(const char* text, const char* caption);

// Installs sink in place of MessageBoxA; null puts MessageBoxA back.
// Returns the sink that was installed before.
MessageSink setMessageSink(MessageSink sink);

}  // namespace mirvo
