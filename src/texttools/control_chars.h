// Control-character editing: replace or delete a control character or short
// string (CR LF, CR, LF, "*", or any text) everywhere in the document. A
// character equal to the first character of the target starts a piece of as
// many characters as the target (fewer at the end of the text), read
// without comparing; the piece is replaced when it equals the target and is
// written unchanged otherwise. So with CR LF as the target, CR A CR LF keeps
// CR A and replaces the following CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "texttools/replace_all.h"

namespace kovrel {

/// "CrLf" -> CR LF, "Cr" -> CR, "Lf" -> LF (exact case); other text stands
/// for itself.
std::string MapControlName(std::string_view name);

/// Replaces every piece equal to `target` by `with` (both already mapped).
/// An empty target matches nothing.
ReplaceResult ReplaceControl(std::string_view text, std::string_view target, std::string_view with);

/// "[ N ]個を削除しました。"
std::string DeletedCountMessage(std::size_t count);

/// The replace and delete commands on the document, from the names as the
/// user gives them ("CrLf", "*", ...): the new text and the count message.
Conversion ReplaceControlConversion(std::string_view target_name, std::string_view with_name);
Conversion DeleteControlConversion(std::string_view target_name);

}  // namespace kovrel
