// Runs a conversion that writes as it goes into an output that passes its
// text on in chunks, as an output bound for a file does, and gathers them.
#pragma once

#include <string>

#include "core/text_output.h"

namespace kovrel::testing_support {

struct StreamedText {
  std::string text;         ///< the chunks joined
  int chunks = 0;           ///< how many were passed on
  bool whole_lines = true;  ///< every chunk ended with CR LF
};

/// Calls `run(out)` and flushes the output afterwards.
template <typename Run>
StreamedText RunStreamed(Run run) {
  StreamedText streamed;
  TextOutput out([&streamed](std::string& chunk) {
    streamed.whole_lines = streamed.whole_lines && chunk.ends_with("\r\n");
    streamed.text += chunk;
    ++streamed.chunks;
  });
  run(out);
  out.Flush();
  return streamed;
}

}  // namespace kovrel::testing_support
