// Fuzz target: the conversion table reader on any bytes. A table either
// reads or is refused with a Failure; a table that reads writes back to the
// same map, and converts any bytes to as many bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/failure.h"
#include "texttools/tape_code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const kovrel::TapeTable table = kovrel::ReadTapeTable(bytes, "FUZZ");
    if (kovrel::ReadTapeTable(kovrel::TapeTableText(table.fields), "FUZZ").map != table.map) __builtin_trap();
    if (kovrel::ConvertTape(bytes, table).size() != bytes.size()) __builtin_trap();
  } catch (const kovrel::Failure& failure) {
    if (failure.description().find("FUZZ") == std::string::npos) __builtin_trap();  // names the table
  }
  return 0;
}
