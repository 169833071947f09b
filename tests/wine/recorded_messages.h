#pragma once
// Records the player's message boxes instead of showing them.

#include <string>
#include <utility>
#include <vector>

#include "ui/message_box.h"

namespace mirvo::testing {

struct RecordedMessage {
  std::string text;
  std::string caption;
  friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

inline std::vector<RecordedMessage>& recordedMessages() {
  static std::vector<RecordedMessage> messages;
  return messages;
}

// Installs the recorder for its lifetime and puts back what was there.
class MessageRecorder {
 public:
  MessageRecorder() : previous_(setMessageSink(&record)) { recordedMessages().clear(); }
  ~MessageRecorder() { setMessageSink(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<RecordedMessage>& messages() const { return recordedMessages(); }

 private:
  static void record(const char* text, const char* caption) { recordedMessages().push_back({text, caption}); }
  MessageSink previous_;
};

}  // namespace mirvo::testing
