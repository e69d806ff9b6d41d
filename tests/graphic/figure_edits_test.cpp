// The figure edits: numbers change in place, every other word stays, and
// the tables follow the text.
#include "graphic/figure_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "core/failure.h"

namespace kovrel {
namespace {

std::string Edit(std::string_view text, const FigureEdit& edit, FigureKind kind = FigureKind::kGcode) {
  return EditDocument(text, edit, kind);
}

const FigureEdit kMirrorX = FigureEdit::Mirror(MirrorAxis::kX);
const FigureEdit kMirrorY = FigureEdit::Mirror(MirrorAxis::kY);
const FigureEdit kSwap = FigureEdit::Mirror(MirrorAxis::kSwap);

TEST(FigureEdits, OnlyTheNumbersChangeAndEveryOtherWordStays) {
  EXPECT_EQ(Edit("N10G01X10.Y0Z-2.F100\r\n", kMirrorX), "N10G01X-10.0Y0Z-2.F100\r\n");
  EXPECT_EQ(Edit("G90G00X0Y0\r\n", kMirrorX), "G90G00X0.0Y0\r\n");
  EXPECT_EQ(Edit("N20 G02 X10. Y0 I5. J0 F80 M08\r\n", kMirrorX), "N20 G03 X-10.0 Y0 I-5.0 J0 F80 M08\r\n");
  EXPECT_EQ(Edit("G41 X10 Y20 D01 F600\r\n", FigureEdit::Move(1, 2)), "G41 X10 Y20 D01 F600\r\n");
  // Lines without a motion word are copied whole, commas and all.
  const std::string plain = "%\r\nO1000(PART,REV2)\r\nG90\r\n(X1,Y2)\r\n\r\nM30\r\n";
  for (const FigureEdit& edit : {kMirrorX, kSwap, FigureEdit::Move(3, 4), FigureEdit::Scale(2)}) {
    EXPECT_EQ(Edit(plain, edit), plain);
  }
  // A comma ends a part of a motion line: the part without a motion word
  // is a layer name for the figure and stays.
  EXPECT_EQ(Edit("G01X10.,Y5.\r\n", kMirrorY), "G01X10.,Y5.\r\n");
  EXPECT_EQ(Edit("G01X10.,Y5.\r\n", kMirrorX), "G01X-10.0,Y5.\r\n");
  // A part with "*" is no element of the figure and stays too.
  EXPECT_EQ(Edit("G01X1*\r\n", kMirrorX), "G01X1*\r\n");
}

TEST(FigureEdits, AbsentWordsStayAbsentAndTheExchangeRenamesALoneWord) {
  EXPECT_EQ(Edit("G02X10Y0J5\r\n", kMirrorX), "G03X-10.0Y0J5\r\n");
  EXPECT_EQ(Edit("G02X10Y0J5\r\n", kMirrorY), "G03X10Y0.0J-5.0\r\n");
  EXPECT_EQ(Edit("G01Y8.\r\n", kMirrorX), "G01Y8.\r\n");
  EXPECT_EQ(Edit("G01X10\r\n", kSwap), "G01Y10.0\r\n");
  EXPECT_EQ(Edit("G01Y5\r\n", kSwap), "G01X5.0\r\n");
  EXPECT_EQ(Edit("G01X1Y2\r\n", kSwap), "G01X2.0Y1.0\r\n");
  EXPECT_EQ(Edit("G02X1Y2I3\r\n", kSwap), "G03X2.0Y1.0J3.0\r\n");
  // A letter without a number (here in a comment) is no word.
  EXPECT_EQ(Edit("G01X10(Y AXIS)\r\n", kSwap), "G01Y10.0(Y AXIS)\r\n");
  // The move reformats I and J and moves only the words that are there.
  EXPECT_EQ(Edit("G03Y4I1J0\r\n", FigureEdit::Move(1, 2)), "G03Y6.0I1.0J0.0\r\n");
}

TEST(FigureEdits, RadiusArcsKeepRUnlessScaled) {
  EXPECT_EQ(Edit("G02X10Y0R5\r\n", kMirrorX), "G03X-10.0Y0R5\r\n");
  EXPECT_EQ(Edit("G02X10Y0R5\r\n", FigureEdit::Move(1, 0)), "G02X11.0Y0.0R5\r\n");
  EXPECT_EQ(Edit("G02X10Y0R-5\r\n", FigureEdit::Scale(2)), "G02X20.0Y0.0R-10.0\r\n");
  // A negative factor turns the figure half round: the arc keeps its way
  // and R its sign (the short arc stays the short arc).
  EXPECT_EQ(Edit("G02X10Y0R5\r\n", FigureEdit::Scale(-2)), "G02X-20.0Y0.0R10.0\r\n");
  // R of a straight move is no radius.
  EXPECT_EQ(Edit("G00X1R2.\r\n", FigureEdit::Scale(2)), "G00X2.0R2.\r\n");
}

TEST(FigureEdits, AWrittenExponentStaysWithItsWord) {
  // "5 D01" reads 50: the digits carry the changed value, D01 stays.
  EXPECT_EQ(Edit("G01X0Y5 D01\r\n", kMirrorY), "G01X0Y-5.0 D01\r\n");
  EXPECT_EQ(Edit("G01 X10 Y2 D01 F600\r\n", FigureEdit::Move(1, 2)), "G01 X11.0 Y2.2 D01 F600\r\n");
  EXPECT_EQ(Edit("G01X0Y0 D01\r\n", FigureEdit::Move(0, 5)), "G01X0.0Y0.5 D01\r\n");
  EXPECT_EQ(Edit("G01X1.5E2\r\n", kMirrorX), "G01X-1.5E2\r\n");
}

TEST(FigureEdits, HoleLinesChangeInPlaceWithTheirForms) {
  const std::string holes = "T01φ0.8\r\nT01\r\nX10.Y5.\r\nX10.\r\nX1.5 Y2\r\n";
  // A hole line without Y holds its hole at Y0: the move writes its new Y.
  EXPECT_EQ(Edit(holes, FigureEdit::Move(1, 2), FigureKind::kHoles),
            "T01φ0.8\r\nT01\r\nX11Y7\r\nX11 Y2\r\nX2.5 Y4\r\n");
  EXPECT_EQ(Edit("Y5\r\n", FigureEdit::Move(1, 2), FigureKind::kHoles), "X1 Y7\r\n");
  EXPECT_EQ(Edit(holes, kMirrorX, FigureKind::kHoles),
            "T01φ0.8\r\nT01\r\nX-10.000Y5.\r\nX-10.000\r\nX-1.500 Y2\r\n");
  EXPECT_EQ(Edit(holes, kSwap, FigureKind::kHoles),
            "T01φ0.8\r\nT01\r\nX5.000Y10.000\r\nY10.000\r\nX2.000 Y1.500\r\n");
  EXPECT_EQ(Edit("X0.1Y-0.5\r\n", FigureEdit::Move(0, 0), FigureKind::kHoles), "X.1Y-.5\r\n");
  EXPECT_EQ(Edit("X1Y2\r\n", kMirrorX, FigureKind::kNone), "X1Y2\r\n");
}

TEST(FigureEdits, ScaleZeroCollapsesOntoTheOriginAndOverflowIsAFailure) {
  EXPECT_EQ(Edit("G01X10Y-5\r\nG02X3Y4I-1J2\r\n", FigureEdit::Scale(0)),
            "G01X0.0Y0.0\r\nG02X0.0Y0.0I0.0J0.0\r\n");
  FigureTables figure;
  LoadFigure(figure, "G01X10Y-5\r\n");
  EditFigure(figure, FigureEdit::Scale(0));
  EXPECT_EQ(figure.FigElems[0].x, 0);
  EXPECT_EQ(figure.FigElems[0].y, 0);
  try {
    Edit("G01X1E10\r\n", FigureEdit::Scale(1e30f));
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 6);
  }
  // The first word that overflows fails, with the formatter's words, even
  // when a later word of the part has an exponent to read.
  try {
    Edit("G01X89Y1E7\r\n", FigureEdit::Scale(3e37f));
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 6);
    EXPECT_EQ(failure.description(), "オーバーフローしました: 数値が有限ではありません");
  }
}

TEST(FigureEdits, TheTablesFollowTheEdit) {
  FigureTables figure;
  LoadFigure(figure, "G00X1Y2\r\nG02X3Y4I5J6\r\n");
  EditFigure(figure, kMirrorX);
  EXPECT_EQ(figure.FigElems[1].x, -3);
  EXPECT_EQ(figure.FigElems[1].i, -5);
  EXPECT_EQ(figure.FigElems[1].j, 6);
  EXPECT_EQ(figure.FigElems[1].g, 3);
  EditFigure(figure, kSwap);
  EXPECT_EQ(figure.FigElems[1].x, 4);
  EXPECT_EQ(figure.FigElems[1].y, -3);
  EXPECT_EQ(figure.FigElems[1].i, 6);
  EXPECT_EQ(figure.FigElems[1].g, 2);
  EditFigure(figure, FigureEdit::Move(10, 20));
  EXPECT_EQ(figure.FigElems[0].x, 12);
  EXPECT_EQ(figure.FigElems[1].i, 6);  // offsets stay under a move
  EditFigure(figure, FigureEdit::Scale(0.5f));
  EXPECT_EQ(figure.FigElems[1].i, 3);

  FigureTables holes;
  LoadFigure(holes, "T01φ1\r\nX10.Y5.\r\n");
  EXPECT_EQ(KindOf(holes), FigureKind::kHoles);
  EditFigure(holes, FigureEdit::Move(1, 2));
  EXPECT_EQ(holes.HolePoints[0].x, 11);
  EXPECT_EQ(holes.HolePoints[0].y, 7);
  EXPECT_EQ(KindOf(FigureTables{}), FigureKind::kNone);
}

TEST(FigureEdits, TypedNumbersAreRefusedUnlessTheyAreNumbers) {
  EXPECT_EQ(ReadEditNumber("２"), 2.0f);
  EXPECT_EQ(ReadEditNumber(" 0 "), 0.0f);
  EXPECT_EQ(ReadEditNumber(""), std::nullopt);
  EXPECT_EQ(ReadEditNumber("x2"), std::nullopt);
  EXPECT_THROW(ReadEditNumber("1e39"), Failure);
}

// A random program of lines, arcs with their true centres, and the words a
// real program carries around them.
std::string RandomProgram(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(-500, 500);
  std::uniform_real_distribution<double> angle(0, 6.283);
  std::uniform_int_distribution<int> pick(0, 9);
  std::string text = "%\r\nO0100(SAMPLE,A)\r\nG90 G54\r\n";
  double x = 0, y = 0;
  char line[200];
  for (int n = 0; n < 300; ++n) {
    const int kind = pick(random);
    if (kind < 4) {
      x = std::round(coordinate(random) * 1000) / 1000;
      y = std::round(coordinate(random) * 1000) / 1000;
      std::snprintf(line, sizeof line, "N%d G01 X%.3f Y%.3f Z-1. F%d\r\n", n, x, y, 100 + n);
    } else if (kind < 8) {
      const double cx = x + std::round(coordinate(random) * 100) / 1000;
      const double cy = y + std::round(coordinate(random) * 100) / 1000;
      const double r = std::hypot(x - cx, y - cy);
      const double a = angle(random);
      const double ex = cx + r * std::cos(a), ey = cy + r * std::sin(a);
      std::snprintf(line, sizeof line, "N%d G0%d X%.4f Y%.4f I%.4f J%.4f\r\n", n, kind < 6 ? 2 : 3, ex, ey, cx - x,
                    cy - y);
      x = std::round(ex * 10000) / 10000;
      y = std::round(ey * 10000) / 10000;
    } else if (kind == 8) {
      std::snprintf(line, sizeof line, "(CUT %d, DEPTH 1)\r\n", n);
    } else {
      std::snprintf(line, sizeof line, "G00Y%.3f\r\n", (y = std::round(coordinate(random) * 1000) / 1000));
    }
    text += line;
  }
  return text + "M30\r\n%\r\n";
}

// The text without the numbers of X, Y, I and J: the words that must stay.
std::string Words(const std::string& text) {
  std::string words;
  for (std::size_t i = 0; i < text.size(); ++i) {
    words += text[i];
    if (std::string_view("XYIJ").find(text[i]) == std::string_view::npos) continue;
    std::size_t end = i + 1;
    if (end < text.size() && text[end] == '-') ++end;
    while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) ++end;
    if (end > i + 1) words += '#';
    i = end - 1;
  }
  return words;
}

TEST(FigureEdits, MirroringTwiceGivesTheProgramBackAndArcsStayTrue) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const std::string program = RandomProgram(seed);
    FigureTables original;
    LoadFigure(original, program);
    for (const FigureEdit& edit : {kMirrorX, kMirrorY, kSwap}) {
      const std::string once = Edit(program, edit);
      const std::string twice = Edit(once, edit);
      FigureTables back;
      LoadFigure(back, twice);
      ASSERT_EQ(back.FigElems.size(), original.FigElems.size());
      for (std::size_t e = 0; e < back.FigElems.size(); ++e) {
        EXPECT_EQ(back.FigElems[e].x, original.FigElems[e].x) << seed << " " << e;
        EXPECT_EQ(back.FigElems[e].y, original.FigElems[e].y) << seed << " " << e;
        EXPECT_EQ(back.FigElems[e].i, original.FigElems[e].i) << seed << " " << e;
        EXPECT_EQ(back.FigElems[e].j, original.FigElems[e].j) << seed << " " << e;
        EXPECT_EQ(back.FigElems[e].g, original.FigElems[e].g) << seed << " " << e;
      }
      EXPECT_EQ(Words(twice), Words(program)) << seed;

      // Each mirrored arc's centre is as far from its end as from its start,
      // and the tables edited directly agree with the edited text.
      FigureTables mirrored, edited = original;
      LoadFigure(mirrored, once);
      EditFigure(edited, edit);
      float sx = 0, sy = 0;
      for (std::size_t e = 0; e < mirrored.FigElems.size(); ++e) {
        const FigElem& element = mirrored.FigElems[e];
        EXPECT_NEAR(element.x, edited.FigElems[e].x, 1e-3);
        EXPECT_EQ(element.g, edited.FigElems[e].g);
        if (element.g == 2 || element.g == 3) {
          const double cx = sx + element.i, cy = sy + element.j;
          EXPECT_NEAR(std::hypot(cx - sx, cy - sy), std::hypot(cx - element.x, cy - element.y), 2e-3) << seed << " " << e;
        }
        sx = element.x;
        sy = element.y;
      }
    }
  }
}


// Random text of the letters, digits and marks the edits look for.
std::string RandomText(std::mt19937& random, std::string_view alphabet, int length) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text;
  for (int k = 0; k < length; ++k) text += alphabet[pick(random)];
  return text;
}

TEST(FigureEdits, OnePassFindsTheWordsThatSearchingFinds) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> length(0, 50);
  for (int n = 0; n < 20000; ++n) {
    const std::string text = RandomText(random, "XYIJRG0123*,. -", length(random));
    const bool to_comma = n % 2 == 0;
    const PartWords words = FindPartWords(text, to_comma);
    const std::string_view part = std::string_view(text).substr(0, to_comma ? text.find(',') : std::string::npos);
    ASSERT_EQ(words.end, part.size()) << text;
    EXPECT_EQ(words.g, part.find('G')) << text;
    EXPECT_EQ(words.x, part.find('X')) << text;
    EXPECT_EQ(words.y, part.find('Y')) << text;
    EXPECT_EQ(words.i, part.find('I')) << text;
    EXPECT_EQ(words.j, part.find('J')) << text;
    EXPECT_EQ(words.r, part.find('R')) << text;
    EXPECT_EQ(words.star, part.find('*') != std::string_view::npos) << text;
    std::size_t motion = std::string_view::npos;
    for (const std::string_view word : {"G00", "G01", "G02", "G03"}) motion = std::min(motion, part.find(word));
    EXPECT_EQ(words.motion, motion) << text;
  }
}

// What the command line learns of a document without its tables, against
// the tables loaded: the same kind, the same mixed text, the same failure.
TEST(FigureEdits, TheKindOfADocumentIsTheKindOfItsLoadedFigure) {
  std::mt19937 random(11);
  const std::vector<std::string> pieces = {
      "G01X1.5Y-2", "G02X3Y4I1J0", "G00", "X12Y5", "T01φ0.8", "T01", "(φ3 CUTTER)", "*", ",", "\"A,B\"", "\r\n",
      "\r\n", "M30", "D10", "1E39", "3E38", "1D2", " 5 e1", "&HFF", "12345678901234567890123456789012345678901",
      "1234567890123456789012345678901234567", "1234567890 1234567890 1234567890 12345678", "9 ", "G", "Y", "",  "  ", "R5", "."};
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> count(0, 12);
  int failures = 0, kinds[3] = {0, 0, 0};
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    for (int k = count(random); k > 0; --k) text += pieces[pick(random)];
    FigureTables figure;
    std::optional<FigureLoad> loaded;
    std::optional<int> load_failure;
    try {
      loaded = LoadFigure(figure, text);
    } catch (const Failure& failure) {
      load_failure = failure.number();
    }
    FigureKind kind = FigureKind::kNone;
    try {
      const FigureLoad found = DocumentKind(text, kind);
      ASSERT_FALSE(load_failure) << text;
      ASSERT_EQ(found, *loaded) << text;
      if (found == FigureLoad::kLoaded) {
        EXPECT_EQ(kind, KindOf(figure)) << text;
        ++kinds[static_cast<int>(kind)];
      }
    } catch (const Failure& failure) {
      ASSERT_TRUE(load_failure) << text;
      EXPECT_EQ(failure.number(), *load_failure) << text;
      ++failures;
    }
  }
  // Every branch was taken.
  EXPECT_GT(failures, 100);
  EXPECT_GT(kinds[0], 100);
  EXPECT_GT(kinds[1], 100);
  EXPECT_GT(kinds[2], 100);
}

TEST(FigureEdits, AnEditWrittenLineByLineIsTheEditWrittenWhole) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::string program;
    for (int copy = 0; copy < 150; ++copy) program += RandomProgram(seed);  // past a chunk of output
    FigureKind kind = FigureKind::kNone;
    bool numbers_fit = false;
    ASSERT_EQ(DocumentKind(program, kind, &numbers_fit), FigureLoad::kLoaded);
    ASSERT_EQ(kind, FigureKind::kGcode);
    ASSERT_TRUE(numbers_fit);
    // Written as it goes, and with the numbers known to fit (a mirror then
    // reads only the words it changes): the same text.
    for (const FigureEdit& edit : {kMirrorX, kMirrorY, kSwap, FigureEdit::Move(1.5, -2), FigureEdit::Scale(1.25)}) {
      std::string streamed;
      TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
      EditDocument(program, edit, FigureKind::kGcode, out, numbers_fit);
      out.Flush();
      EXPECT_EQ(streamed, EditDocument(program, edit, FigureKind::kGcode)) << seed;
    }
  }
  const std::string holes = "T01φ1\r\nT01\r\nX10.Y-5.5\r\nY3\r\nX-2.25\r\nM30\r\n";
  for (const FigureEdit& edit : {kMirrorX, kMirrorY, kSwap}) {
    TextOutput out;
    EditDocument(holes, edit, FigureKind::kHoles, out, true);
    EXPECT_EQ(out.text, EditDocument(holes, edit, FigureKind::kHoles));
  }
}

// A long text is edited in pieces side by side: each line as it would be
// edited alone, whatever piece it falls in.
TEST(FigureEdits, ALongTextIsEditedAsItsLinesAreEditedAlone) {
  std::string part;
  for (int copy = 0; copy < 40; ++copy) part += RandomProgram(7);
  ASSERT_LT(part.size(), std::size_t{1} << 20);
  std::string program;
  while (program.size() < (std::size_t{3} << 20)) program += part;
  for (const FigureEdit& edit : {kMirrorX, kSwap, FigureEdit::Move(1.5, -2), FigureEdit::Scale(1.25)}) {
    std::string parts;
    for (std::size_t at = 0; at < program.size(); at += part.size()) {
      parts += EditDocument(std::string_view(program).substr(at, part.size()), edit, FigureKind::kGcode);
    }
    EXPECT_TRUE(EditDocument(program, edit, FigureKind::kGcode) == parts);
  }
  // A failing line far into the text fails the edit, as in one pass.
  EXPECT_THROW(EditDocument(program + "G01X3E38Y1\r\n", FigureEdit::Scale(10), FigureKind::kGcode), Failure);
}

}  // namespace
}  // namespace kovrel
