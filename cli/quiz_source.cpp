#include "cli/quiz_source.h"

// toml++ checks parts of its input with assertions only (a table header that
// starts with a character no key may start with, for one), so a debug or
// sanitizer build would stop at such a typo. Without them it reports the
// error as a parse error, as the release build does.
#define TOML_ASSERT(expr) static_cast<void>(0)
#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <type_traits>
#include <span>

#include "cli/text_encoding.h"

namespace mirvo::cli {

namespace {

struct Word {
  std::string_view word;
  std::int32_t value;
};
constexpr std::array<Word, 4> kLayouts = {{{"text", 0}, {"picture", 1}, {"audio", 2}, {"video", 3}}};
constexpr std::array<Word, 4> kReveals = {{{"none", 0}, {"picture", 1}, {"explanation", 2}, {"both", 3}}};
constexpr std::array<std::string_view, 10> kQuizKeys = {"title",  "creator",    "explanation", "layout", "answers",
                                                        "reveal", "background", "columns",     "codes",  "question"};
constexpr std::array<std::string_view, 6> kQuestionKeys = {"text",        "answer", "answer2",
                                                           "explanation", "media",  "answer_picture"};

bool isPicture(std::span<const std::uint8_t> b) {
  const bool jpeg = b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
  const bool gif = b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' &&
                   (b[4] == '7' || b[4] == '9') && b[5] == 'a';
  return jpeg || gif;
}

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

class SourceReader {
 public:
  SourceReader(const std::string& fileName, const std::filesystem::path& baseDir, std::string& error)
      : file_(fileName), baseDir_(baseDir), error_(error) {}

  bool read(const toml::table& root, QuizSource& out) {
    QuizContent& q = out.content;
    for (auto&& [key, node] : root) {
      if (std::find(kQuizKeys.begin(), kQuizKeys.end(), key.str()) == kQuizKeys.end()) {
        return fail(key, "unknown key \"" + std::string(key.str()) +
                             "\" (title, creator, explanation, layout, answers, reveal, background, columns, codes, "
                             "[[question]])");
      }
    }
    if (!root.contains("title")) return fail(1, "the quiz has no title");
    if (!text(root, "title", q.title) || !text(root, "creator", q.creator) ||
        !text(root, "explanation", q.quizExplanation)) {
      return false;
    }
    std::int32_t value = 0;
    if (!word(root, "layout", kLayouts, "text, picture, audio or video", value)) return false;
    q.type = static_cast<QuizType>(value);
    if (!word(root, "reveal", kReveals, "none, picture, explanation or both", value)) return false;
    q.revealMode = static_cast<RevealMode>(value);
    if (!answers(root, q.answersPerQuestion) || !background(root, q) || !columns(root, q)) return false;
    if (!questions(root, out)) return false;
    return codes(root, q);
  }

 private:
  static std::uint32_t lineOf(const toml::node& n) { return n.source().begin.line; }
  static std::uint32_t lineOf(const toml::key& k) { return k.source().begin.line; }

  bool fail(std::uint32_t line, const std::string& what) {
    error_ = file_ + ":" + std::to_string(line == 0 ? 1 : line) + ": " + what;
    return false;
  }
  template <class At>
    requires(!std::is_integral_v<At>)
  bool fail(const At& at, const std::string& what) {
    return fail(lineOf(at), what);
  }

  // One text of the quiz, converted to Windows-1252 and checked against
  // what the description can carry.
  bool convert(const toml::node& node, const std::string& name, std::string& out, bool isCode) {
    const auto* s = node.as_string();
    if (!s) return fail(node, name + " must be a text in quotes");
    EncodingError e;
    if (!utf8ToCp1252(s->get(), out, e)) {
      if (e.codePoint == 0) return fail(node, name + " is not valid UTF-8");
      char buf[16];
      std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(e.codePoint));
      return fail(node, name + ": the character " + buf + " has no Windows-1252 byte");
    }
    if (out.find('|') != std::string::npos) {
      return fail(node, name + ": a \"|\" cannot be part of a text (it separates the quiz's fields)");
    }
    if (out.find('\0') != std::string::npos) return fail(node, name + ": a zero character cannot be part of a text");
    if (isCode && out.find_first_of("\r\n") != std::string::npos) {
      return fail(node, name + ": a reward code cannot hold a line break");
    }
    if (out.size() > kMaxTextLength) {
      return fail(node, name + " is " + std::to_string(out.size()) + " bytes in Windows-1252; at most " +
                            std::to_string(kMaxTextLength) + " fit");
    }
    return true;
  }

  bool text(const toml::table& t, std::string_view key, std::string& out) {
    const toml::node* n = t.get(key);
    return !n || convert(*n, std::string(key), out, false);
  }

  template <std::size_t N>
  bool word(const toml::table& t, std::string_view key, const std::array<Word, N>& words, const char* choices,
            std::int32_t& out) {
    out = 0;
    const toml::node* n = t.get(key);
    if (!n) return true;
    const auto* s = n->as_string();
    auto it = s ? std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.word == s->get(); })
                : words.end();
    if (it == words.end()) {
      std::string given = s ? "\"" + s->get() + "\"" : "that value";
      return fail(*n, "unknown " + std::string(key) + " " + given + " (" + choices + ")");
    }
    out = it->value;
    return true;
  }

  bool answers(const toml::table& t, std::int32_t& out) {
    const toml::node* n = t.get("answers");
    if (!n) return true;
    const auto* i = n->as_integer();
    if (!i || (i->get() != 1 && i->get() != 2)) return fail(*n, "answers must be 1 or 2");
    out = static_cast<std::int32_t>(i->get());
    return true;
  }

  bool background(const toml::table& t, QuizContent& q) {
    const toml::node* n = t.get("background");
    if (!n) return true;
    const auto* s = n->as_string();
    auto hex = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    const std::string v = s ? s->get() : std::string();
    bool ok = v.size() == 7 && v[0] == '#' && std::all_of(v.begin() + 1, v.end(), [&](char c) { return hex(c) >= 0; });
    if (!ok) return fail(*n, "background must be \"#RRGGBB\" (red, green, blue in hexadecimal)");
    auto byteAt = [&](int i) { return static_cast<std::uint8_t>(hex(v[i]) * 16 + hex(v[i + 1])); };
    q.backgroundRed = byteAt(1);
    q.backgroundGreen = byteAt(3);
    q.backgroundBlue = byteAt(5);
    return true;
  }

  bool columns(const toml::table& t, QuizContent& q) {
    const toml::node* n = t.get("columns");
    if (!n) return true;
    const auto* a = n->as_array();
    if (!a) return fail(*n, "columns must be a list of texts: [\"answer 1\", \"answer 2\"]");
    if (a->size() > 2) return fail(*n, "columns holds at most two labels (answer 1, answer 2)");
    std::string* slots[] = {&q.columnLabel1, &q.columnLabel2};
    for (std::size_t i = 0; i < a->size(); ++i) {
      if (!convert(*a->get(i), "column label " + std::to_string(i + 1), *slots[i], false)) return false;
    }
    return true;
  }

  bool codes(const toml::table& t, QuizContent& q) {
    const toml::node* n = t.get("codes");
    if (!n) return true;
    const auto* a = n->as_array();
    if (!a) return fail(*n, "codes must be a list of texts");
    if (a->size() > q.questions.size()) {
      return fail(*n, std::to_string(a->size()) + " codes for " + std::to_string(q.questions.size()) +
                          " questions: at most one code per question");
    }
    q.rewardCodes.resize(a->size());
    for (std::size_t i = 0; i < a->size(); ++i) {
      if (!convert(*a->get(i), "code " + std::to_string(i + 1), q.rewardCodes[i], true)) return false;
    }
    return true;
  }

  bool questions(const toml::table& t, QuizSource& out) {
    const toml::node* n = t.get("question");
    if (!n) return fail(1, "the quiz has no [[question]]");
    const auto* a = n->as_array();
    if (!a || !a->is_array_of_tables()) return fail(*n, "question must be a list of [[question]] tables");
    if (a->empty()) return fail(*n, "the quiz has no [[question]]");
    for (std::size_t i = 0; i < a->size(); ++i) {
      const toml::table& qt = *a->get(i)->as_table();
      if (i == static_cast<std::size_t>(kMaxQuestions)) {
        return fail(qt, "more than " + std::to_string(kMaxQuestions) + " questions");
      }
      if (!question(qt, static_cast<int>(i) + 1, out)) return false;
    }
    return true;
  }

  bool question(const toml::table& t, int number, QuizSource& out) {
    const QuizContent& q = out.content;
    const std::string which = "question " + std::to_string(number);
    for (auto&& [key, node] : t) {
      if (std::find(kQuestionKeys.begin(), kQuestionKeys.end(), key.str()) == kQuestionKeys.end()) {
        return fail(key, "unknown key \"" + std::string(key.str()) + "\" in " + which +
                             " (text, answer, answer2, explanation, media, answer_picture)");
      }
    }
    QuestionContent qc;
    if (!t.contains("answer")) return fail(t, which + " has no answer");
    if (!text(t, "text", qc.questionText) || !text(t, "answer", qc.answer1)) return false;
    if (const toml::node* a2 = t.get("answer2")) {
      if (q.answersPerQuestion != 2) return fail(*a2, "answer2 needs answers = 2");
      if (!convert(*a2, "answer2", qc.answer2, false)) return false;
    } else if (q.answersPerQuestion == 2) {
      return fail(t, which + " has no answer2 (the quiz has answers = 2)");
    }
    if (const toml::node* e = t.get("explanation")) {
      if (q.revealMode != RevealMode::ExplanationText && q.revealMode != RevealMode::TextAndPicture) {
        return fail(*e, "a question's explanation is only kept with reveal = \"explanation\" or \"both\"");
      }
      if (!convert(*e, "explanation", qc.explanation, false)) return false;
    }
    if (const toml::node* m = t.get("media")) {
      if (!isGridType(q.type)) return fail(*m, "media needs layout = \"picture\", \"audio\" or \"video\"");
      if (!mediaFile(*m, number, MediaRole::Question, q.type, out)) return false;
    }
    if (const toml::node* p = t.get("answer_picture")) {
      if (!mediaFile(*p, number, MediaRole::AnswerPicture, q.type, out)) return false;
    }
    out.content.questions.push_back(std::move(qc));
    return true;
  }

  bool mediaFile(const toml::node& node, int number, MediaRole role, QuizType type, QuizSource& out) {
    const auto* s = node.as_string();
    const char* key = role == MediaRole::Question ? "media" : "answer_picture";
    if (!s || s->get().empty()) return fail(node, std::string(key) + " must be a file name in quotes");
    const std::string& name = s->get();
    MediaFile f;
    f.question = number;
    f.role = role;
    f.path = baseDir_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    std::ifstream in(f.path, std::ios::binary);
    if (!in) return fail(node, "cannot read the media file \"" + name + "\"");
    f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (f.bytes.empty()) return fail(node, "the media file \"" + name + "\" is empty");
    const bool picture = role == MediaRole::AnswerPicture || type == QuizType::Picture;
    const std::string ext = lower(f.path.extension().string());
    if (picture && !isPicture(f.bytes)) return fail(node, "\"" + name + "\" is not a JPEG or GIF picture");
    if (!picture && type == QuizType::Audio && ext != ".mp3") {
      return fail(node, "\"" + name + "\": an audio quiz plays .mp3 clips");
    }
    if (!picture && type == QuizType::Video && ext != ".avi") {
      return fail(node, "\"" + name + "\": a video quiz plays .avi clips");
    }
    out.media.push_back(std::move(f));
    return true;
  }

  const std::string& file_;
  std::filesystem::path baseDir_;
  std::string& error_;
};

std::string tomlStringUtf8(std::string_view utf8) {
  std::string out = "\"";
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04X", c);
          out += buf;
        } else {
          out.push_back(ch);
        }
    }
  }
  return out + "\"";
}

std::string tomlString(std::string_view cp1252) { return tomlStringUtf8(cp1252ToUtf8(cp1252)); }

// The length of the valid UTF-8 sequence at the start of `s` and its code
// point, or 0.
std::size_t utf8Sequence(std::string_view s, char32_t& cp) {
  const auto b = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
  const unsigned lead = b(0);
  const std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
  if (n == 0) return 0;
  cp = lead & (0xFF >> (n + 1));
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(k) & 0x3F);
  }
  const bool shortest = (n == 3 && cp >= 0x800) || (n == 4 && cp >= 0x10000) || n == 2;
  return shortest && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) ? n : 0;
}

struct TomlHazard {
  std::uint32_t line = 0;  // 0: none
  const char* what = "";
};

// toml++ 3.3.0 asks whether a character is whitespace in places where TOML
// only allows ASCII, and for most of U+00A1 to U+0499 (the accented letters
// among them) that test reaches code the library marks unreachable. So it
// never sees such a character there:
// - outside strings and comments, where keys, numbers and words are ASCII
//   anyway, a byte above 0x7F is refused;
// - in a """ text, a "\" right before one (no escape) is refused, and the
//   first character after a line-ending "\" is handed over as \uXXXX, which
//   is the same text.
// `safe` receives what toml++ may parse; lines stay where they were.
// A quote opens a string only where a key or value starts (line start, after
// = [ { or ,); a quote or bracket anywhere else is refused. Quoted dotted
// keys go with it: a quiz source has no use for them.
// Unterminated strings end at their line here and are left to toml++.
TomlHazard prepareForToml(std::string_view text, std::string& safe) {
  enum class In { Code, Comment, Basic, Literal, MultiBasic, MultiLiteral };
  In in = In::Code;
  std::uint32_t line = 1;
  bool continued = false;  // in a """ text after a line-ending "\", only whitespace so far
  char last = '\n';        // the last character that counts outside strings and comments
  bool keyHere = true;     // a key may start: at a line start, in an inline table after { or ,
  std::string nesting;     // arrays and inline tables open in the current value
  std::size_t i = 0;
  safe.clear();
  safe.reserve(text.size());
  const auto emit = [&](std::size_t n) {
    safe.append(text.substr(i, n));
    i += n;
  };
  if (text.substr(0, 3) == "\xEF\xBB\xBF") emit(3);  // a UTF-8 byte-order mark, as Notepad writes
  const auto runOf = [&](char quote) {
    std::size_t n = 0;
    while (i + n < text.size() && text[i + n] == quote) ++n;
    return n;
  };
  while (i < text.size()) {
    const char c = text[i];
    const bool ascii = static_cast<unsigned char>(c) <= 0x7F;
    // TOML allows no control character but tab anywhere, and toml++ checks
    // some of them only with assertions.
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
      return {line, "a control character (TOML allows none but tab)"};
    }
    if (c == '\n') {
      ++line;
      if (in != In::MultiBasic && in != In::MultiLiteral) in = In::Code;
      if (in == In::Code) {
        last = '\n';
        if (nesting.empty()) keyHere = true;
      }
      emit(1);
      continue;
    }
    if (continued && c != ' ' && c != '\t' && c != '\r') {
      continued = false;
      char32_t cp = 0;
      if (const std::size_t n = ascii ? 0 : utf8Sequence(text.substr(i), cp)) {
        char escape[16];
        std::snprintf(escape, sizeof escape, cp > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(cp));
        safe += escape;
        i += n;
        continue;
      }
    }
    switch (in) {
      case In::Code:
        if (!ascii) return {line, "a character other than plain ASCII outside quotes (keys are ASCII; a text goes in \"...\")"};
        if (c == '#') in = In::Comment;
        // Only where a key or value starts can a quote open a text, or a
        // bracket a table, array or inline table. Anywhere else either would
        // be glued to a bare word, which is never valid, and the parser would
        // read the rest differently from this scan: refused.
        if ((c == '"' || c == '\'' || c == '[' || c == '{') &&
            std::string_view("\n=[{,").find(last) == std::string_view::npos) {
          return {line, "a quote or bracket in the middle of a word"};
        }
        // Which "=" starts a value: in the middle of a bare value one would
        // make the scan take what follows for a new value and its texts.
        if (c == '=') {
          if (!keyHere) return {line, "an \"=\" where a value goes"};
          keyHere = false;
        } else if (c == '{' || (c == '[' && !keyHere)) {
          if (keyHere) return {line, "a \"{\" where a key goes"};
          nesting += c;
          keyHere = c == '{';
        } else if (c == ',' && !nesting.empty() && nesting.back() == '{') {
          keyHere = true;
        } else if ((c == ']' || c == '}') && !nesting.empty() && nesting.back() == (c == ']' ? '[' : '{')) {
          nesting.pop_back();
          keyHere = false;
        }
        if (c == '"' || c == '\'') {
          last = c;
          const bool multi = runOf(c) >= 3;
          in = c == '"' ? (multi ? In::MultiBasic : In::Basic) : (multi ? In::MultiLiteral : In::Literal);
          emit(multi ? 3 : 1);
          continue;
        }
        if (c != ' ' && c != '\t' && c != '\r' && c != '#') last = c;
        break;
      case In::Comment: break;
      case In::Basic:
      case In::MultiBasic:
        if (c == '\\') {
          std::size_t j = i + 1;
          while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
          if (in == In::MultiBasic && j < text.size() && static_cast<unsigned char>(text[j]) > 0x7F) {
            return {line, "a \"\\\" before a character other than plain ASCII (no escape; a line-ending \"\\\" ends its line)"};
          }
          if (in == In::MultiBasic && (j < text.size() && (text[j] == '\n' || text[j] == '\r'))) {
            continued = true;
            emit(j - i);
            continue;
          }
          // An escape takes the next byte with it, so \" does not end the
          // text; a line end after it is left to the line count.
          emit(i + 1 < text.size() && text[i + 1] != '\n' ? 2 : 1);
          continue;
        }
        [[fallthrough]];
      case In::Literal:
      case In::MultiLiteral: {
        const char quote = in == In::Basic || in == In::MultiBasic ? '"' : '\'';
        if (c != quote) break;
        if (in == In::Basic || in == In::Literal) {
          in = In::Code;
          break;
        }
        // Up to two quotes may end the text right before its closing three.
        const std::size_t run = runOf(quote);
        if (run >= 3) in = In::Code;
        emit(run);
        continue;
      }
    }
    emit(1);
  }
  return {};
}

std::string_view wordOf(std::span<const Word> words, std::int32_t value) {
  for (const Word& w : words) {
    if (w.value == value) return w.word;
  }
  return words.front().word;
}

}  // namespace

bool parseQuizSource(std::string_view text, const std::string& fileName, const std::filesystem::path& baseDir,
                     QuizSource& out, std::string& error) {
  out = QuizSource{};
  error.clear();
  std::string safe;
  if (const TomlHazard hazard = prepareForToml(text, safe); hazard.line != 0) {
    error = fileName + ":" + std::to_string(hazard.line) + ": " + hazard.what;
    return false;
  }
  toml::table root;
  try {
    root = toml::parse(safe, fileName);
  } catch (const toml::parse_error& e) {
    error = fileName + ":" + std::to_string(e.source().begin.line) + ": " + std::string(e.description());
    return false;
  }
  SourceReader reader(fileName, baseDir, error);
  if (!reader.read(root, out)) {
    out = QuizSource{};
    return false;
  }
  return true;
}

bool loadQuizSource(const std::filesystem::path& file, QuizSource& out, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  const std::string name = file.string();
  if (!in) {
    error = name + ": cannot read the quiz source";
    return false;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return parseQuizSource(text, name, file.parent_path(), out, error);
}

std::string mediaFileName(int question, MediaRole role, QuizType type, std::span<const std::uint8_t> bytes) {
  char stem[32];
  std::snprintf(stem, sizeof stem, "media/%c%02d", role == MediaRole::Question ? 'q' : 'a', question);
  const bool picture = role == MediaRole::AnswerPicture || type == QuizType::Picture;
  if (picture) {
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8) return std::string(stem) + ".jpg";
    if (bytes.size() >= 3 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F') return std::string(stem) + ".gif";
    return std::string(stem) + ".bin";
  }
  return std::string(stem) + (type == QuizType::Video ? ".avi" : ".mp3");
}

std::string writeQuizSource(const QuizContent& quiz, const std::vector<MediaFile>& media, std::string_view note) {
  std::string s;
  if (!note.empty()) s += "# " + std::string(note) + "\n";
  s += "title = " + tomlString(quiz.title) + "\n";
  s += "creator = " + tomlString(quiz.creator) + "\n";
  if (!quiz.quizExplanation.empty()) s += "explanation = " + tomlString(quiz.quizExplanation) + "\n";
  s += "layout = \"" + std::string(wordOf(kLayouts, static_cast<std::int32_t>(quiz.type))) + "\"\n";
  s += "answers = " + std::to_string(quiz.answersPerQuestion) + "\n";
  s += "reveal = \"" + std::string(wordOf(kReveals, static_cast<std::int32_t>(quiz.revealMode))) + "\"\n";
  char colour[16];
  std::snprintf(colour, sizeof colour, "#%02X%02X%02X", quiz.backgroundRed, quiz.backgroundGreen, quiz.backgroundBlue);
  s += "background = \"" + std::string(colour) + "\"\n";
  if (!quiz.columnLabel2.empty()) {
    s += "columns = [" + tomlString(quiz.columnLabel1) + ", " + tomlString(quiz.columnLabel2) + "]\n";
  } else if (!quiz.columnLabel1.empty()) {
    s += "columns = [" + tomlString(quiz.columnLabel1) + "]\n";
  }
  std::size_t codeCount = quiz.rewardCodes.size();
  while (codeCount > 0 && quiz.rewardCodes[codeCount - 1].empty()) --codeCount;
  if (codeCount > 0) {
    s += "codes = [";
    for (std::size_t i = 0; i < codeCount; ++i) s += (i ? ", " : "") + tomlString(quiz.rewardCodes[i]);
    s += "]\n";
  }
  const bool keepsExplanations =
      quiz.revealMode == RevealMode::ExplanationText || quiz.revealMode == RevealMode::TextAndPicture;
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuestionContent& q = quiz.questions[i];
    s += "\n[[question]]\n";
    if (!q.questionText.empty()) s += "text = " + tomlString(q.questionText) + "\n";
    s += "answer = " + tomlString(q.answer1) + "\n";
    if (quiz.answersPerQuestion == 2) s += "answer2 = " + tomlString(q.answer2) + "\n";
    if (keepsExplanations && !q.explanation.empty()) s += "explanation = " + tomlString(q.explanation) + "\n";
    for (const MediaFile& m : media) {
      if (m.question != static_cast<int>(i) + 1) continue;
      const std::u8string name = m.path.generic_u8string();
      s += (m.role == MediaRole::Question ? "media = " : "answer_picture = ");
      s += tomlStringUtf8(std::string(name.begin(), name.end())) + "\n";
    }
  }
  return s;
}

}  // namespace mirvo::cli
