// Clip files: a question's "IMG" resource copied byte for byte into
// mirvoN.mp3 or mirvoN.avi in the current directory, for the player to open.

#include <windows.h>

#include <cstdio>

#include "media/media_host.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/message_box.h"

namespace mirvo {

namespace {

constexpr char kCaption[] = "Information";
constexpr char kCannotLoadAudio[] = "Impossible de charger le fichier audio.";
constexpr char kCannotLoadVideo[] = "Impossible de charger le fichier vid\xE9o.";
constexpr char kCannotWriteAudio[] = "Impossible d'\xE9" "crire le fichier audio.";
constexpr char kCannotWriteVideo[] = "Impossible d'\xE9" "crire le fichier vid\xE9o.";

// A handle closed on every path out of the writer.
class OpenFile {
 public:
  explicit OpenFile(HANDLE handle) : handle_(handle) {}
  ~OpenFile() { close(); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

}  // namespace

void clipFileName(std::span<char, kClipFileNameSize> name, const char* prefix, int question, QuizType kind) {
  const char* format = kind == QuizType::Video ? "%smirvo%d.avi" : "%smirvo%d.mp3";
  std::snprintf(name.data(), name.size(), format, prefix, question);
}

bool writeClipFile(const Quiz& quiz, int resourceId, QuizType kind) {
  const bool video = kind == QuizType::Video;
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), MIRVO_MEDIA_TYPE);
  if (found == nullptr) return false;  // a question without a clip plays nothing, silently
  const DWORD length = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) {
    showMessage(video ? kCannotLoadVideo : kCannotLoadAudio, kCaption);
    return false;
  }
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) return false;

  char name[kClipFileNameSize];
  clipFileName(name, quiz.mediaPrefix, resourceId - MIRVO_QUESTION_MEDIA_BASE, kind);

  // The player must never be pointed at a file that is missing or cut short:
  // a failed creation, a short write or a failed close is reported, and what
  // was written of the file is removed again.
  OpenFile file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  bool complete = file.valid();
  if (complete) {
    DWORD written = 0;
    complete = WriteFile(file.get(), bytes, length, &written, nullptr) != FALSE && written == length;
    complete = file.close() && complete;
    if (!complete) DeleteFileA(name);
  }
  FreeResource(loaded);
  if (!complete) {
    showMessage(video ? kCannotWriteVideo : kCannotWriteAudio, kCaption);
    return false;
  }
  return true;
}

}  // namespace mirvo
