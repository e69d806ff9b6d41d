// Fuzz target: the core readers of outside data (CP932 decoding, lines,
// items, number reading) and the number writers, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/cp932.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = kovrel::DecodeCp932(bytes);
  // Decoding never loses a byte: decoded text encodes to the same bytes.
  if (kovrel::EncodeCp932(text) != bytes) __builtin_trap();
  // Line ends read as line breaks keep every other byte.
  if (kovrel::EncodeCp932(kovrel::WithCrLfLineEnds(text)).size() < bytes.size()) __builtin_trap();
  kovrel::LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    try {
      const double value = kovrel::ReadNumber(line);
      kovrel::FormatMask(value, "#######0.0###");
      kovrel::FormatMask(kovrel::ToSingle(value), "#00");
      kovrel::FormatGeneral(kovrel::ToSingle(value));
      kovrel::FormatPrinted(value);
    } catch (const kovrel::Failure&) {
      // Overflow of a huge number is a reported failure, not a crash.
    }
  }
  kovrel::SplitItems(text);
  return 0;
}
