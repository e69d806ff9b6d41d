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
#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"
#include "reported.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = kovrel::DecodeCp932(std::string(reinterpret_cast<const char*>(data), size));
  using namespace kovrel;
  using fuzz::Guarded;
  Guarded([&] { WireToGcode(text); });
  Guarded([&] { WireToMilling(text); });
  Guarded([&] {
    WireMacroOptions options;
    options.block_limit = 20'000;
    const SubprogramSource itself = [&text](const std::string&) -> std::optional<std::string> { return text; };
    ExpandWireMacro(text, itself, options);
  });
  return 0;
}
