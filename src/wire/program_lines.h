// The lines of a wire program as the conversions read them. The editor
// hands over its text (UTF-8, every line end a CR LF); the command line
// hands over the file's own CP932 bytes with whatever line ends they have,
// so that a long program is neither decoded nor copied whole: a line is
// decoded only when it holds a byte above ASCII (a comment in Japanese),
// into a buffer used again for the next such line. Either way a line reads
// as the same text.
#pragma once

#include <string>
#include <string_view>

#include "core/text_reader.h"

namespace kovrel {

/// What a conversion's program text is.
enum class ProgramForm {
  kText,   ///< UTF-8 with CR LF line ends (the editor's hand-off)
  kCp932,  ///< a file's bytes: CP932, any CR LF, lone CR or lone LF ends a line
};

class ProgramLines {
 public:
  ProgramLines(std::string_view program, ProgramForm form)
      : program_(program), reader_(program), cp932_(form == ProgramForm::kCp932) {}

  /// The next line as text; false at the end of the program.
  bool Next(std::string_view& line);

  /// The next line as the program holds it, not yet decoded (held());
  /// false at the end of the program. Text() gives it as text.
  bool NextHeld();

  /// The line NextHeld gave last as text, decoded on the first call.
  std::string_view Text();

  /// The line Next gave last as the program holds it: its CP932 bytes when
  /// the program is a file's (the form a result written as bytes takes).
  std::string_view held() const { return held_; }

  /// True when the held line is ASCII: its bytes are its text.
  bool ascii() const { return ascii_; }

 private:
  // The bytes of the next line: a CR LF, lone CR or lone LF ends it. True
  // when they are all ASCII.
  bool NextBytes();

  std::string_view program_;
  LineReader reader_;  // the lines of a text
  bool cp932_;
  std::size_t pos_ = 0;  // where the next line of the bytes begins
  std::string_view held_;
  std::string decoded_;
  bool ascii_ = true;     // the held line is ASCII (its own text)
  bool decoded_now_ = false;  // decoded_ holds the held line
};

}  // namespace kovrel
