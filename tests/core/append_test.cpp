// Lines gathered and added at once against the same pieces appended one by
// one.
#include "core/append.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace kovrel {
namespace {

TEST(AppendTextLine, TheLineAppendLineWrites) {
  std::mt19937 random(12);
  // Strings short and long, and strings that grew onto the heap and then
  // shrank (their room is larger than their text).
  const auto text = [&random] {
    std::string piece(random() % 40, ' ');
    for (char& c : piece) c = static_cast<char>('0' + random() % 40);
    if (random() % 3 == 0) {
      std::string grown(100, 'x');
      grown.assign(piece);
      return grown;
    }
    return piece;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string a = text(), b = text(), c = text(), d = text(), e = text(), f = text(), g = text();
    const std::string_view view = std::string_view(c).substr(0, c.size() / 2);
    std::string gathered = "head", appended = "head";
    AppendTextLine(gathered, "G01", a, b, view, d);
    AppendLine(appended, "G01", a, b, view, d);
    // A line longer than the room gathered on the stack.
    AppendTextLine(gathered, a, b, c, d, e, f, g, a, b, c);
    AppendLine(appended, a, b, c, d, e, f, g, a, b, c);
    AppendTextLine(gathered, "");
    AppendLine(appended, "");
    ASSERT_EQ(gathered, appended);
  }
}

}  // namespace
}  // namespace kovrel
