// Router formatting: normalising, then translating item by item.
#include "convert/router_format.h"

#include <algorithm>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/decimal_digits.h"
#include "core/line_words.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// The mask of the program's coordinates.
const Mask& RouterMask() {
  static const Mask mask = ParseMask("######0.0###");
  return mask;
}

// "%" ends a line; every control character (code below 20) is a line end.
std::string NormaliseRouterBlocks(std::string_view router) {
  std::string blocks;
  blocks.reserve(router.size() * 2 + 16);  // a CR LF becomes two line ends
  for (const char c : router) {
    if (c == '%') {
      blocks += "%\r\n";
    } else if (static_cast<unsigned char>(c) < 20) {
      blocks += "\r\n";
    } else {
      blocks += c;
    }
  }
  blocks += "\r\n";
  return blocks;
}

// Calls `item` for every item of the normalised text but those that hold
// a "%", which the translation passes over. Without double quotes the
// items are read straight from the text: an item ends at a comma or a
// control character and after a "%" (the only place it can stand), blanks
// before it are skipped (the empty items between line ends are skipped by
// the translation anyway); with quotes the text is normalised first.
template <typename Item>
void ForEachRouterItem(std::string_view router, Item&& item) {
  if (router.find('"') != std::string_view::npos) {
    const std::string blocks = NormaliseRouterBlocks(router);
    ItemReader reader(blocks);
    std::string_view text;
    while (reader.Next(text)) {
      if (!HasLetter(text, "%")) item(text);
    }
    return;
  }
  std::size_t pos = 0;
  while (pos < router.size()) {
    while (pos < router.size() && router[pos] == ' ') ++pos;
    const std::size_t start = pos;
    pos = std::min(FindControlOrAnyOf<20, ',', '%'>(router, pos), router.size());
    if (pos < router.size() && router[pos] == '%') {
      ++pos;  // the "%" stays in its item
    } else {
      item(router.substr(start, pos - start));
    }
    if (pos < router.size() && (router[pos] == ',' || static_cast<unsigned char>(router[pos]) < 20)) ++pos;
  }
}

// The state of one router translation: the motion word, the tool height,
// the modal axes and the start point of the next radius arc.
class RouterTranslator {
 public:
  RouterTranslator(const RouterFormatOptions& options, TextOutput& out)
      : unit_{(options.unit == RouterUnit::kDecimal ? 1000.0 : options.unit == RouterUnit::kHundredths ? 10.0 : 1.0) *
                  (options.inch ? kMillimetresPerInch : 1.0),
              0},
        incremental_(options.incremental),
        out_(out.text),
        output_(out) {}

  void Item(std::string_view item);

 private:
  // `text` (empty) becomes the letter and the coordinate read after it.
  void AppendLetterCoordinate(std::string& text, char letter, std::string_view after_letter) const {
    text += letter;
    AppendReadCoordinate(text, after_letter, unit_, RouterMask());
  }

  CoordinateUnit unit_;
  bool incremental_;
  std::string& out_;
  TextOutput& output_;
  // The motion word: one of the two below or g_text_.
  const std::string rapid_ = "G00", feed_ = "G01";
  const std::string* motion_ = &rapid_;
  float z_ = 1;  // the tool is down while the last Z is negative
  std::string x_text_ = "X0", y_text_ = "Y0";
  std::string i_text_, j_text_;  // the item's I and J, empty when it has none
  long g_ = 0;                   // the last G number read, and its word
  std::string g_text_;
  ModalAxis x_, y_;
  float start_x_ = 0, start_y_ = 0;
};

void RouterTranslator::Item(std::string_view item) {
  static const Mask g_mask = ParseMask("00");
  if (item.empty()) return;
  const FirstLetters letters(item);
  // The text just after a letter (npos when the item lacks it).
  const auto after = [&letters](char letter) {
    const std::size_t at = letters[letter];
    return at == FirstLetters::kNone ? at : at + 1;
  };
  if (letters.Has('G')) {
    const long g = IntegerAt(item, letters['G']);
    // The word of the last G number is kept: most items repeat it.
    if (g != g_ || g_text_.empty()) {
      g_ = g;
      g_text_ = Joined("G", FormatMask(static_cast<float>(g), g_mask));
    }
    motion_ = &g_text_;
    if (g == 1) motion_ = z_ >= 0 ? &rapid_ : &feed_;  // a feed move with the tool up is a move
    if (item.find("G9", letters['G']) != std::string_view::npos) {
      if (HasLetter(item, "G90")) incremental_ = false;
      if (HasLetter(item, "G91")) incremental_ = true;
    }
  }
  if (letters.Has('T')) x_.sum = y_.sum = 0;  // a tool change restarts the sums
  if (letters.Has('Z')) {
    z_ = ReadThousandthsCoordinate(item.substr(after('Z')), unit_);
    motion_ = z_ > 0 ? &rapid_ : &feed_;
  }
  const bool has_x = TakeCoordinate(x_, x_text_, 'X', item, after('X'), incremental_, unit_, RouterMask());
  const bool has_y = TakeCoordinate(y_, y_text_, 'Y', item, after('Y'), incremental_, unit_, RouterMask());
  // I and J are not modal: an item without them writes none.
  i_text_.clear();
  j_text_.clear();
  if (letters.Has('I')) AppendLetterCoordinate(i_text_, 'I', item.substr(after('I')));
  if (letters.Has('J')) AppendLetterCoordinate(j_text_, 'J', item.substr(after('J')));
  if (letters.Has('R')) {
    const float r = ReadCoordinate(item.substr(after('R')), unit_);
    AppendLine(out_, RadiusArcLine(*motion_, start_x_, start_y_, x_.value, y_.value, r));
  } else if (has_x || has_y) {
    AppendTextLine(out_, *motion_, x_text_, y_text_, i_text_, j_text_);
  } else {
    return;
  }
  start_x_ = x_.value;
  start_y_ = y_.value;
  output_.Pass();
}

}  // namespace

ConversionResult FormatRouter(std::string_view router, const RouterFormatOptions& options, TextOutput& out) {
  out.text += "D10\r\n";
  RouterTranslator translator(options, out);
  ForEachRouterItem(router, [&translator](std::string_view item) { translator.Item(item); });
  return ConversionResult();
}

ConversionResult FormatRouter(std::string_view router, const RouterFormatOptions& options) {
  TextOutput out;
  out.text.reserve(router.size() + router.size() / 2);
  ConversionResult result = FormatRouter(router, options, out);
  result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
