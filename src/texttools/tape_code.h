// Tape code conversion: a conversion table maps every byte value to an
// output byte, and a file or the document is converted byte by byte through
// it. A table is a text file in the folder CVTBL of ProgDir, named by its
// file name: 16 lines (the rows, the low four bits of the input byte) of 16
// fields separated by commas (the columns, the high four bits); a field is
// one or two hexadecimal digits, blanks around it are ignored. So field c of
// line r is the output for input byte 16 * c + r.
//
// A table with a missing, empty, extra or bad field is refused as a whole
// with a message naming the table and the field's line and column: a
// damaged table never shifts the later bytes or guesses one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kovrel {

/// The folder of the tables in ProgDir.
inline constexpr std::string_view kTableFolder = "CVTBL";

inline constexpr int kTableRows = 16;
inline constexpr int kTableColumns = 16;
inline constexpr int kTableSize = kTableRows * kTableColumns;

/// The 256 cell texts of a table, by input byte.
using TableCells = std::array<std::string, kTableSize>;

struct TapeTable {
  std::array<std::uint8_t, kTableSize> map{};  ///< output byte by input byte
  TableCells fields;                           ///< each field as written, by input byte
};

/// Reads a table from the bytes of its file; `name` names it in messages.
/// Throws Failure (invalid value) for a missing, empty, extra or bad field.
TapeTable ReadTapeTable(std::string_view bytes, std::string_view name);

/// Reads the table file at `path`, named `name` in messages. Throws Failure.
TapeTable LoadTapeTable(const std::string& path, std::string_view name);

/// The output bytes: one byte for each input byte, line ends included.
std::string ConvertTape(std::string_view bytes, const TapeTable& table);

/// The file form of a table from its cells (cell k is the output for input
/// byte k), rows in order, each followed by CR LF. A row is built from its
/// cells in column order; a cell's text is preceded by "," unless the row
/// built so far is empty, so an empty first cell leaves a row of 15 fields
/// and an empty later cell an empty field between two commas.
std::string TapeTableText(const TableCells& cells);

/// `prog_dir` + "CVTBL/" + `name`.
std::string TablePath(std::string_view prog_dir, std::string_view name);

/// The file names in the table folder of `prog_dir` that are table names,
/// sorted by name; empty when the folder is missing.
std::vector<std::string> TableNames(std::string_view prog_dir);

/// The table file that a command-line argument names: a plain name is looked
/// up in the table folder of each of `folders` in turn (the first that has
/// it); anything else, or a name no folder has, is a file path as given.
std::string FindTableFile(const std::string& name_or_file, const std::vector<std::string>& folders);

}  // namespace kovrel
