// Conversion tables: reading and checking a table file, writing one from
// the editor's cells, and converting bytes through a table.
#include "texttools/tape_code.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/text_reader.h"
#include "core/utf8.h"
#include "core/append.h"
#include "core/failure.h"
#include "core/file_io.h"

namespace kovrel {
namespace {


int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Refuses the table: "変換テーブル「NAME」の R 行目 C 列目（入力 XX）: problem",
// lines and columns counted from 1 as a text editor shows them.
[[noreturn]] void Refuse(std::string_view name, int row, int column, std::string_view problem) {
  std::string text = Joined("変換テーブル「", name, "」の ", std::to_string(row + 1), " 行目");
  if (column >= 0) {
    Append(text, " ", std::to_string(column + 1), " 列目");
    if (column < kTableColumns && row < kTableRows) Append(text, "（入力 ", HexByte(static_cast<unsigned char>(16 * column + row)), "）");
  }
  Append(text, ": ", problem);
  FailWithText(FailureKind::kInvalidValue, std::move(text));
}

// The lines of a table file: CR LF, lone CR and lone LF all end a line;
// blank lines at the end are dropped.
std::vector<std::string_view> TableLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(pos));
      break;
    }
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
  }
  while (!lines.empty() && TrimBlanks(lines.back()).empty()) lines.pop_back();
  return lines;
}

}  // namespace

TapeTable ReadTapeTable(std::string_view bytes, std::string_view name) {
  const std::vector<std::string_view> lines = TableLines(bytes);
  if (lines.size() > static_cast<std::size_t>(kTableRows)) {
    Refuse(name, kTableRows, -1, "行が多すぎます（表は 16 行です）");
  }
  TapeTable table;
  for (int row = 0; row < kTableRows; ++row) {
    const std::string_view line = row < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(row)] : "";
    std::size_t pos = 0;
    for (int column = 0; column < kTableColumns; ++column) {
      if (pos > line.size()) Refuse(name, row, column, "値がありません（1 行は 16 個の値です）");
      const std::size_t comma = std::min(line.find(',', pos), line.size());
      const std::string_view field = TrimBlanks(line.substr(pos, comma - pos));
      pos = comma + 1;
      if (field.empty()) Refuse(name, row, column, "値がありません（1 行は 16 個の値です）");
      int value = field.size() <= 2 ? 0 : -1;
      for (const char c : field) {
        if (value < 0 || HexDigit(c) < 0) {
          value = -1;
          break;
        }
        value = value * 16 + HexDigit(c);
      }
      if (value < 0) {
        Refuse(name, row, column, Joined("「", field, "」は 0 から FF までの 16 進数ではありません"));
      }
      const int input = 16 * column + row;
      table.map[static_cast<std::size_t>(input)] = static_cast<std::uint8_t>(value);
      table.fields[static_cast<std::size_t>(input)] = std::string(field);
    }
    if (pos <= line.size()) Refuse(name, row, kTableColumns, "値が多すぎます（1 行は 16 個の値です）");
  }
  return table;
}

TapeTable LoadTapeTable(const std::string& path, std::string_view name) {
  return ReadTapeTable(ReadFileBytes(path), name);
}

std::string ConvertTape(std::string_view bytes, const TapeTable& table) {
  std::string out(bytes.size(), '\0');
  const std::uint8_t* map = table.map.data();
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  auto* to = reinterpret_cast<unsigned char*>(out.data());
  for (std::size_t i = 0; i < bytes.size(); ++i) to[i] = map[in[i]];
  return out;
}

std::string TapeTableText(const TableCells& cells) {
  std::string text;
  for (int row = 0; row < kTableRows; ++row) {
    std::string line;
    for (int column = 0; column < kTableColumns; ++column) {
      const std::string& cell = cells[static_cast<std::size_t>(16 * column + row)];
      if (!line.empty()) line += ',';
      line += cell;
    }
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string TablePath(std::string_view prog_dir, std::string_view name) {
  return Joined(WorkPath(prog_dir, kTableFolder), "/", name);
}

std::vector<std::string> TableNames(std::string_view prog_dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(WorkPath(prog_dir, kTableFolder), ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (it->is_regular_file(ec) && FileNameProblem(name).empty()) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string FindTableFile(const std::string& name_or_file, const std::vector<std::string>& folders) {
  if (FileNameProblem(name_or_file).empty()) {
    for (const std::string& folder : folders) {
      const std::string path = TablePath(folder, name_or_file);
      if (FileExists(path)) return path;
    }
  }
  return name_or_file;
}

}  // namespace kovrel
