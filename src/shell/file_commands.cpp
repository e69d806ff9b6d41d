// Load, append-load and save of the document.
#include "shell/file_commands.h"

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/file_io.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr std::string_view kWorkFile = "BAK.DAT";

std::string_view LineEndText(LineEnd end) {
  switch (end) {
    case LineEnd::kCrLf: return "\r\n";
    case LineEnd::kCr: return "\r";
    case LineEnd::kLf: return "\n";
  }
  return "\r\n";
}

// The document as Shift-JIS bytes; throws before anything is written when
// a character cannot be held.
std::string Encoded(std::string_view document) {
  std::string bytes(document);
  EncodeCp932InPlace(bytes);
  return bytes;
}

}  // namespace

std::string SavedForm(std::string_view text, LineEnd end) {
  const std::string_view line_end = LineEndText(end);
  std::string saved;
  saved.reserve(text.size());
  LineReader reader(text, true);
  std::string_view line;
  while (reader.Next(line)) {
    if (line.empty()) continue;
    saved.append(line);
    saved.append(line_end);
  }
  return saved;
}

std::string LoadTextFile(const std::string& path) {
  std::string text = ReadFileBytes(path);
  DecodeCp932InPlace(text);
  return text;
}

void SaveTextFile(const EditModule& module, std::string_view document, const std::string& path, LineEnd end) {
  const std::string bytes = Encoded(document);
  const std::string work = WorkPath(module.ProgDir, kWorkFile);
  WriteFileBytes(work, bytes);
  // Line ends are ASCII and never part of a double-byte character, so the
  // lines of the bytes are the lines of the text.
  WriteFileAtomic(path, SavedForm(bytes, end));
  RemoveFile(work);
}

std::string AppendTextFile(const EditModule& module, std::string_view document, const std::string& path) {
  std::string bytes = Encoded(document) + ReadFileBytes(path);
  const std::string work = WorkPath(module.ProgDir, kWorkFile);
  WriteFileBytes(work, bytes);
  RemoveFile(work);
  DecodeCp932InPlace(bytes);
  return bytes;
}

}  // namespace kovrel
