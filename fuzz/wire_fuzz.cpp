// Fuzz target: the readers of wire-cut programs. The wire-cut conversion
// with its shape calls, wire to milling, and the custom-macro expansion in
// which every subprogram is the input itself, so that calls nest to the
// deepest level and jumps loop: the expansion must end at its block limit,
// never hang, and bad input must end in a reported failure.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/cp932.h"
#include "core/text_output.h"
#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"
#include "reported.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = kovrel::DecodeCp932(bytes);
  using namespace kovrel;
  using fuzz::Guarded;
  Guarded([&] { WireToGcode(text); });
  Guarded([&] { WireToMilling(text); });
  // The command line hands the file's own bytes over, its lines decoded
  // one at a time.
  Guarded([&] {
    TextOutput out;
    WireToGcode(bytes, out, ProgramForm::kCp932);
  });
  Guarded([&] {
    TextOutput out;
    WireToMilling(bytes, out, ProgramForm::kCp932);
  });
  for (const ProgramForm form : {ProgramForm::kText, ProgramForm::kCp932}) {
    Guarded([&] {
      WireMacroOptions options;
      options.block_limit = 20'000;
      options.form = form;
      const SubprogramSource itself = [&text](const std::string&) -> std::optional<std::string> { return text; };
      ExpandWireMacro(form == ProgramForm::kText ? text : bytes, itself, options);
    });
  }
  return 0;
}
