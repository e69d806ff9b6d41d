// Conversion tables: reading and refusing table files, writing them from the
// editor's cells, table names, and byte conversion.
#include "texttools/tape_code.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

// The file form of a table that maps every byte through `map`.
template <typename Map>
std::string TableFile(Map map) {
  TableCells cells;
  for (int k = 0; k < kTableSize; ++k) {
    char field[8];
    std::snprintf(field, sizeof field, "%X", static_cast<unsigned>(map(k)) & 0xFFu);
    cells[static_cast<std::size_t>(k)] = field;
  }
  return TapeTableText(cells);
}

std::string IdentityFile() {
  return TableFile([](int k) { return k; });
}

// The failure's description when reading `bytes` fails.
std::string Refusal(const std::string& bytes) {
  try {
    ReadTapeTable(bytes, "TEST");
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 380);
    return failure.description();
  }
  ADD_FAILURE() << "the table was read";
  return {};
}

// `file` with the field text of line `row`, column `column` (from 0) replaced.
std::string WithField(std::string file, int row, int column, const std::string& text) {
  std::size_t at = 0;
  for (int r = 0; r < row; ++r) at = file.find("\r\n", at) + 2;
  for (int c = 0; c < column; ++c) at = file.find(',', at) + 1;
  const std::size_t end = file.find_first_of(",\r", at);
  return file.replace(at, end - at, text);
}

TEST(TapeTable, FieldOfLineRAndColumnCIsTheOutputOfByte16CPlusR) {
  const TapeTable identity = ReadTapeTable(IdentityFile(), "IDENTITY");
  for (int k = 0; k < kTableSize; ++k) EXPECT_EQ(identity.map[static_cast<std::size_t>(k)], k);
  EXPECT_EQ(identity.fields[0x4D], "4D");

  // One or two digits of either case, blanks around them; LF or CR lines
  // and a missing last line end read the same.
  std::string file = WithField(IdentityFile(), 3, 5, " a ");
  file = WithField(file, 0, 15, "ff");
  const TapeTable read = ReadTapeTable(file, "T");
  EXPECT_EQ(read.map[0x53], 0x0A);
  EXPECT_EQ(read.fields[0x53], "a");
  EXPECT_EQ(read.map[0xF0], 0xFF);
  std::string lf = IdentityFile();
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  EXPECT_EQ(ReadTapeTable(lf, "T").map, identity.map);
  EXPECT_EQ(ReadTapeTable(lf.substr(0, lf.size() - 1) + "\n\r\n  \n", "T").map, identity.map);
}

TEST(TapeTable, BadMissingOrExtraFieldIsRefusedNamingTableLineAndColumn) {
  const std::string identity = IdentityFile();
  EXPECT_EQ(Refusal(WithField(identity, 3, 5, "G1")),
            "変換テーブル「TEST」の 4 行目 6 列目（入力 53）: 「G1」は 0 から FF までの 16 進数ではありません");
  EXPECT_NE(Refusal(WithField(identity, 0, 0, "100")).find("1 行目 1 列目（入力 00）: 「100」"), std::string::npos);
  EXPECT_NE(Refusal(WithField(identity, 0, 0, "&HFF")).find("「&HFF」"), std::string::npos);
  EXPECT_NE(Refusal(WithField(identity, 0, 0, "-1")).find("「-1」"), std::string::npos);
  EXPECT_NE(Refusal(WithField(identity, 15, 15, "")).find("16 行目 16 列目（入力 FF）: 値がありません"),
            std::string::npos);

  // One field short: refused where the row ends, not read on into the next
  // line with every later byte shifted.
  std::string short_row = identity;
  short_row.erase(short_row.find(",F2\r\n"), 3);
  EXPECT_NE(Refusal(short_row).find("3 行目 16 列目（入力 F2）: 値がありません"), std::string::npos);
  // One field too many.
  std::string long_row = identity;
  long_row.insert(long_row.find("\r\n"), ",00");
  EXPECT_NE(Refusal(long_row).find("1 行目 17 列目: 値が多すぎます"), std::string::npos);
  // Fifteen lines, seventeen lines, an empty file.
  const std::string fifteen = identity.substr(0, identity.rfind("\r\n", identity.size() - 3) + 2);
  EXPECT_NE(Refusal(fifteen).find("16 行目 1 列目（入力 0F）: 値がありません"), std::string::npos);
  EXPECT_NE(Refusal(identity + "00\r\n").find("17 行目: 行が多すぎます"), std::string::npos);
  EXPECT_NE(Refusal("").find("1 行目 1 列目"), std::string::npos);
  // 256 fields on one line are not 16 rows.
  std::string one_line;
  for (std::size_t at = 0; at < identity.size(); at = identity.find("\r\n", at) + 2) {
    if (!one_line.empty()) one_line += ',';
    one_line.append(identity, at, identity.find("\r\n", at) - at);
  }
  EXPECT_NE(Refusal(one_line).find("1 行目 17 列目"), std::string::npos);
}

TEST(TapeTable, SavedCellsKeepTheirTextAndAnEmptyCellLeavesAFieldOut) {
  TableCells cells;
  for (auto& cell : cells) cell.assign(1, '0');
  cells[0x41] = "7e";
  EXPECT_EQ(ReadTapeTable(TapeTableText(cells), "T").fields, cells);

  // An emptied first cell of a row: 15 fields and no leading comma; an
  // emptied later cell: an empty field between two commas. Either table
  // is refused when read.
  cells[0x01] = "";
  cells[0x33] = "";
  const std::string text = TapeTableText(cells);
  EXPECT_EQ(text.substr(0, 33), "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(text.substr(33, 32), "0,0,0,7e,0,0,0,0,0,0,0,0,0,0,0\r\n");  // 7e moved one column left
  EXPECT_NE(text.find("\r\n0,0,0,,0,0,"), std::string::npos);
  EXPECT_NE(Refusal(text).find("2 行目 16 列目"), std::string::npos);
}

TEST(TapeTable, ConversionMapsEveryByteLineEndsIncluded) {
  // Swap CR and LF, upper-case a to z.
  const TapeTable table = ReadTapeTable(TableFile([](int k) {
                                          if (k == '\r') return int{'\n'};
                                          if (k == '\n') return int{'\r'};
                                          return k >= 'a' && k <= 'z' ? k - 32 : k;
                                        }),
                                        "T");
  EXPECT_EQ(ConvertTape(std::string("g01x1\r\n\0\xff", 9), table), std::string("G01X1\n\r\0\xff", 9));
  EXPECT_EQ(ConvertTape("", table), "");
}

TEST(TapeTable, NamesAreFileNamesInTheTableFolder) {
  EXPECT_EQ(FileNameProblem("ISO-TO-TEXT"), "");
  EXPECT_EQ(FileNameProblem("表1.txt"), "");
  EXPECT_NE(FileNameProblem(""), "");
  for (const char* name : {"../x", "a/b", "a\\b", "..", "x..y", "/etc/passwd"}) {
    EXPECT_NE(FileNameProblem(name).find("使えません"), std::string::npos) << name;
  }
  EXPECT_EQ(TablePath("/home/u/kovrel/", "EIA"), "/home/u/kovrel/CVTBL/EIA");

  testing_support::TempFolder home;
  EXPECT_TRUE(TableNames(home.path()).empty());  // no folder: no tables
  std::filesystem::create_directory(home / "CVTBL");
  std::filesystem::create_directory(home / "CVTBL/sub");
  WriteFileBytes(home / "CVTBL/b", "");
  WriteFileBytes(home / "CVTBL/A", "");
  WriteFileBytes(home / "CVTBL/a.tbl", "");
  WriteFileBytes(home / "CVTBL/a..b", "");  // not a name the tables can be saved under
  EXPECT_EQ(TableNames(home.path()), (std::vector<std::string>{"A", "a.tbl", "b"}));

  // The command line: a plain name is looked up folder by folder; a path
  // or an unknown name stands for itself.
  testing_support::TempFolder shipped;
  std::filesystem::create_directory(shipped / "CVTBL");
  WriteFileBytes(shipped / "CVTBL/A", "");
  WriteFileBytes(shipped / "CVTBL/C", "");
  const std::vector<std::string> folders = {home.path(), shipped.path()};
  EXPECT_EQ(FindTableFile("A", folders), home / "CVTBL/A");
  EXPECT_EQ(FindTableFile("C", folders), shipped / "CVTBL/C");
  EXPECT_EQ(FindTableFile("D", folders), "D");
  EXPECT_EQ(FindTableFile("./A", folders), "./A");
}

}  // namespace
}  // namespace kovrel
