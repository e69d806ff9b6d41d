// Appending several pieces to an output text without building temporary
// strings on the way (the conversions write millions of short lines).
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

/// Appends every piece to `out`, in order.
template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

/// Appends the pieces followed by CR LF.
template <typename... Pieces>
void AppendLine(std::string& out, const Pieces&... pieces) {
  Append(out, pieces..., "\r\n");
}

}  // namespace kovrel
