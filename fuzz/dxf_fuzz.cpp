// Fuzz target: the DXF readers (DXF to G-code and to hole data) on any
// text, and the DXF writers on the same text read as G-code and as hole
// data. A drawing the program wrote must always read back: a failure there
// stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/cp932.h"
#include "core/failure.h"
#include "dxf/dxf_gcode.h"
#include "dxf/dxf_holes.h"
#include "dxf/gcode_dxf.h"
#include "dxf/hole_dxf.h"

namespace {

template <typename Run>
void Guarded(Run run) {
  try {
    run();
  } catch (const kovrel::Failure&) {
    // Bad input ends in a reported failure, never in a crash.
  }
}

// Reads back a drawing the program wrote: it must not fail.
template <typename Read>
void ReadsBack(const kovrel::ConversionResult& written, Read read) {
  if (written.nothing_to_convert) return;
  try {
    read(written.text);
  } catch (const kovrel::Failure&) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  using namespace kovrel;
  const unsigned pick = data[0];
  const std::string text = DecodeCp932(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  DxfColourOptions colours;
  colours.mode = (pick & 1) != 0 ? DxfColourMode::kSame : DxfColourMode::kEachLayer;
  colours.colour = 1 + static_cast<int>(pick >> 1) % 7;
  if (pick & 16) colours.chosen = {static_cast<int>(pick >> 5), 0, 9};
  Guarded([&] { DxfToGcode(text); });
  Guarded([&] { DxfToHoleData(text); });
  Guarded([&] { ReadsBack(GcodeToDxf(text, colours), [](std::string_view dxf) { return DxfToGcode(dxf); }); });
  Guarded([&] { ReadsBack(HoleDataToDxf(text, colours), [](std::string_view dxf) { return DxfToHoleData(dxf); }); });
  return 0;
}
