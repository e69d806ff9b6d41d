// The file commands without their dialogs: loading a file as the document,
// appending a file to it, and saving it with CR LF, CR or LF line ends (blank
// lines dropped). Every step goes through the work file BAK.DAT like the
// other commands; a save replaces the target whole or leaves it untouched.
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

struct EditModule;

enum class LineEnd { kCrLf, kCr, kLf };

/// The saved form of a document: every non-empty line (CR LF, lone CR and
/// lone LF all end a line) followed by `end`; empty lines are not written.
std::string SavedForm(std::string_view text, LineEnd end);

/// The text of a Shift-JIS file. Throws Failure.
std::string LoadTextFile(const std::string& path);

/// Saves `document` to `path` in the saved form. The document goes to
/// BAK.DAT first; a character Shift-JIS cannot hold stops the save before
/// any file is written. Throws Failure.
void SaveTextFile(const EditModule& module, std::string_view document, const std::string& path, LineEnd end);

/// The document followed by the bytes of the file at `path`, nothing added
/// between them, through BAK.DAT. Throws Failure.
std::string AppendTextFile(const EditModule& module, std::string_view document, const std::string& path);

}  // namespace kovrel
