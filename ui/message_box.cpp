#include "ui/message_box.h"

#include <windows.h>

namespace mirvo {

namespace {

MessageSink installedSink = nullptr;

}  // namespace

void showMessage(const char* text, const char* caption) {
  if (installedSink != nullptr) {
    installedSink(text, caption);
    return;
  }
  MessageBoxA(nullptr, text, caption, MB_OK);
}

MessageSink setMessageSink(MessageSink sink) {
  MessageSink previous = installedSink;
  installedSink = sink;
  return previous;
}

}  // namespace mirvo
