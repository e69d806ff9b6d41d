// Fuzz target: the format detection and its report on any text, read as
// the editor and the command line hand it over (CP932 decoded).
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/cp932.h"
#include "detect/detect_report.h"
#include "detect/format_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = kovrel::DecodeCp932(std::string(reinterpret_cast<const char*>(data), size));
  const kovrel::FormatDetection found = kovrel::DetectFormat(text);
  // Every text of the report is built whatever was found.
  std::size_t length = kovrel::ReportJson(found).size() + kovrel::UnitNotice(found).size();
  for (const std::string& line : kovrel::ReportLines(found)) length += line.size();
  for (auto window : {kovrel::FormatWindowKind::kNcFmt, kovrel::FormatWindowKind::kGaiFmt,
                      kovrel::FormatWindowKind::kRutaFmt}) {
    length += kovrel::WindowLine(found, window).size();
  }
  volatile std::size_t built = length;
  (void)built;
  return 0;
}
