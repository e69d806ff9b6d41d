// Reading DXF drawings: groups with any line ends, the ENTITIES section,
// $UCSORG, the drawings that end too early, and the extrusion.
#include "dxf/dxf_reader.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "dxf/dxf_text.h"

namespace kovrel {
namespace {

using testing_support::Drawing;
using testing_support::GroupText;

std::vector<std::string> Names(const std::string& dxf) {
  DxfEntityReader reader(dxf);
  std::vector<std::string> names;
  DxfEntity entity;
  while (reader.Next(entity)) names.emplace_back(entity.name);
  return names;
}

int FailureNumber(const std::string& dxf) {
  try {
    Names(dxf);
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

TEST(DxfGroupReader, EveryLineEndAndBlankPadding) {
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    const std::string text = "  0" + end + "LINE" + end + end + " 8 " + end + " A B " + end + "x" + end + "1" + end;
    DxfGroupReader reader(text);
    const DxfGroup line = reader.Next();
    EXPECT_EQ(line.code, 0);
    EXPECT_EQ(line.value, "LINE");
    const DxfGroup layer = reader.Next();  // the blank line before a code is skipped
    EXPECT_EQ(layer.code, 8);
    EXPECT_EQ(layer.value, " A B ");  // the value as it stands
    EXPECT_EQ(reader.Next().code, -1);  // no number
    EXPECT_THROW(reader.Next(), Failure);  // a code without its value
  }
}

TEST(DxfGroupReader, CodeLinesOfEveryShape) {
  // Spaces, tabs, signs, letters and long numbers around the digits: the
  // code is the whole number between the blanks, else -1.
  const std::pair<std::string, int> cases[] = {
      {"10", 10},
      {"  10", 10},
      {"10 ", 10},
      {"\t 5\t", 5},
      {"007", 7},
      {"-1", -1},
      {"-5", -5},
      {"+5", -1},
      {"1 0", -1},
      {"10x", -1},
      {"999999999", 999999999},
      {"1000000000", 1000000000},
      {"99999999999", -1},
      {"  0", 0},
      {"A", -1},
  };
  for (const auto& [line, code] : cases) {
    const std::string text = line + "\r\nVALUE\r\n";
    DxfGroupReader reader(text);
    const DxfGroup group = reader.Next();
    EXPECT_EQ(group.code, code) << line;
    EXPECT_EQ(group.value, "VALUE") << line;
  }
}

TEST(DxfEntityReader, EntitiesOfTheEntitiesSectionOnly) {
  const std::string dxf = GroupText({{0, "SECTION"}, {2, "HEADER"}, {9, "$UCSORG"}, {10, "100"}, {20, "50"},
                                     {30, "0"}, {9, "$CLAYER"}, {8, "CIRCLE"}, {0, "ENDSEC"},
                                     {0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "ENTITIES"}, {0, "CIRCLE"},
                                     {40, "1"}, {0, "ENDBLK"}, {0, "ENDSEC"},
                                     {0, "SECTION"}, {2, "ENTITIES"}, {999, "comment"}, {0, "LINE"}, {8, "A"},
                                     {0, "TEXT"}, {1, "CIRCLE"}, {0, "CIRCLE"}, {67, "1"}, {0, "POINT"},
                                     {0, "ENDSEC"}, {0, "SECTION"}, {2, "OBJECTS"}, {0, "ARC"}, {0, "ENDSEC"},
                                     {0, "EOF"}});
  // The circle of the block, the paper space circle and the ARC of a later
  // section are no entities of the drawing.
  EXPECT_EQ(Names(dxf), (std::vector<std::string>{"LINE", "TEXT", "POINT"}));
  DxfEntityReader reader(dxf);
  EXPECT_EQ(reader.origin_x, 100);
  EXPECT_EQ(reader.origin_y, 50);
  DxfEntity line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.Find(8)->value, "A");
  EXPECT_EQ(line.Find(10), nullptr);
  EXPECT_EQ(line.Number(10, -1), -1);
}

TEST(DxfEntityReader, DrawingsThatEndTooEarlyAreFailure62) {
  // No ENTITIES section, a drawing cut inside an entity, no EOF.
  EXPECT_EQ(FailureNumber(GroupText({{0, "SECTION"}, {2, "HEADER"}, {0, "ENDSEC"}, {0, "EOF"}})), 62);
  EXPECT_EQ(FailureNumber(GroupText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "A"}}) + " 10\n"), 62);
  EXPECT_EQ(FailureNumber(GroupText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {0, "ENDSEC"}})), 62);
  EXPECT_EQ(FailureNumber(""), 62);
  EXPECT_EQ(FailureNumber(Drawing({{0, "LINE"}})), 0);
  // An EOF inside the section ends it too.
  EXPECT_EQ(Names(GroupText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {0, "EOF"}})),
            (std::vector<std::string>{"LINE"}));
}

TEST(DxfEntity, Extrusion) {
  const auto of = [](const testing_support::Groups& groups) {
    const std::string dxf = Drawing(groups);
    DxfEntityReader reader(dxf);
    DxfEntity entity;
    reader.Next(entity);
    return entity.Extrusion();
  };
  EXPECT_EQ(of({{0, "ARC"}}), DxfExtrusion::kUp);
  EXPECT_EQ(of({{0, "ARC"}, {210, "0"}, {220, "0"}, {230, "1"}}), DxfExtrusion::kUp);
  EXPECT_EQ(of({{0, "ARC"}, {210, "0"}, {220, "0"}, {230, "-1"}}), DxfExtrusion::kDown);
  EXPECT_EQ(of({{0, "ARC"}, {230, "-2.5"}}), DxfExtrusion::kDown);
  EXPECT_EQ(of({{0, "ARC"}, {210, "0.6"}, {220, "0"}, {230, "0.8"}}), DxfExtrusion::kOther);
  EXPECT_EQ(of({{0, "ARC"}, {230, "0"}}), DxfExtrusion::kOther);
}

}  // namespace
}  // namespace kovrel
