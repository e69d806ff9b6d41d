// The DXF writer: the header around the two templates, the layer table,
// the entity records, the group codes and the line ends.
#include "dxf/dxf_writer.h"

#include <gtest/gtest.h>

#include "core/text_reader.h"

namespace kovrel {
namespace {

std::vector<std::string_view> Lines(const std::string& text) { return SplitLines(text); }

TEST(DxfWriter, HeaderTemplatesAroundTheCurrentLayerAndTheCodePage) {
  std::string out;
  AppendDxfStart(out, "外形 1", {{"T 1", "      1"}, {"T 2", "      2"}, {"T 3", "      3"}});
  AppendDxfEnd(out);
  EXPECT_TRUE(out.starts_with(
            "  0\r\nSECTION\r\n  2\r\nHEADER\r\n999\r\nKOVREL\r\n  9\r\n$CLAYER\r\n  8\r\n外形 1\r\n  9\r\n"
            "$DWGCODEPAGE\r\n  3\r\nANSI_932\r\n  9\r\n$ELEVATION\r\n 40\r\n0.0\r\n  9\r\n"));
  EXPECT_FALSE(HasLoneLineEnds(out));
  const auto lines = Lines(out);
  // The second template runs from $ELEVATION to the ENDTAB of the line types.
  ASSERT_EQ(lines[15], "$ELEVATION");
  EXPECT_EQ(lines[15 + 138], "ENDTAB");
  EXPECT_EQ(lines[15 + 139], "  0");
  EXPECT_EQ(lines[15 + 140], "TABLE");
  EXPECT_EQ(lines[19], "$UCSORG");
  // The line type CENTER with its four elements, counts right-aligned.
  const std::string center =
      "LTYPE\r\n  2\r\nCENTER\r\n 70\r\n    64\r\n  3\r\n____ _ ____ _ ____ _ ____ _ ____ _ ____ _ ____\r\n"
      " 72\r\n    65\r\n 73\r\n     4\r\n 40\r\n2.0\r\n 49\r\n1.25\r\n 49\r\n-0.25\r\n 49\r\n0.25\r\n 49\r\n-0.25\r\n";
  EXPECT_NE(out.find(center), std::string::npos);
  // The layer table counts one more than its LAYER records.
  EXPECT_NE(out.find("  2\r\nLAYER\r\n 70\r\n     4\r\n  0\r\nLAYER\r\n  2\r\nT 1\r\n 70\r\n     0\r\n 62\r\n      1\r\n"
                     "  6\r\nCONTINUOUS\r\n"),
            std::string::npos);
  EXPECT_NE(out.find("  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nENDSEC\r\n"
                     "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n"),
            std::string::npos);
  EXPECT_TRUE(out.ends_with("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
}

TEST(DxfWriter, EntityRecords) {
  const DxfEntityHead head{"A", " 5 "};
  std::string out;
  AppendDxfPoint(out, head, "1", "2");
  EXPECT_EQ(out, "  0\r\nPOINT\r\n  8\r\nA\r\n 62\r\n 5 \r\n 10\r\n1\r\n 20\r\n2\r\n 30\r\n0.0\r\n");
  out.clear();
  AppendDxfLine(out, head, "1", "2", "3", "4");
  EXPECT_EQ(out,
            "  0\r\nLINE\r\n  8\r\nA\r\n 62\r\n 5 \r\n  6\r\nCONTINUOUS\r\n 10\r\n1\r\n 20\r\n2\r\n 30\r\n0.0\r\n"
            " 11\r\n3\r\n 21\r\n4\r\n 31\r\n0.0\r\n");
  out.clear();
  AppendDxfCircle(out, head, "1", "2", "3");
  EXPECT_EQ(out,
            "  0\r\nCIRCLE\r\n  8\r\nA\r\n 62\r\n 5 \r\n  6\r\nCONTINUOUS\r\n 10\r\n1\r\n 20\r\n2\r\n 30\r\n0.0\r\n"
            " 40\r\n3\r\n");
  out.clear();
  AppendDxfArc(out, head, "1", "2", "3", "0", "180");
  EXPECT_EQ(out,
            "  0\r\nARC\r\n  8\r\nA\r\n 62\r\n 5 \r\n  6\r\nCONTINUOUS\r\n 10\r\n1\r\n 20\r\n2\r\n 30\r\n0.0\r\n"
            " 40\r\n3\r\n 50\r\n0\r\n 51\r\n180\r\n");
}

TEST(DxfWriter, GroupCodesRightAligned) {
  std::string out;
  for (const int code : {0, 9, 10, 62, 999, 1000}) AppendDxfGroup(out, code, "v");
  EXPECT_EQ(out, "  0\r\nv\r\n  9\r\nv\r\n 10\r\nv\r\n 62\r\nv\r\n999\r\nv\r\n1000\r\nv\r\n");
}

TEST(DxfWriter, LayerNamesWithoutTheCharactersDxfForbids) {
  EXPECT_EQ(DxfLayerName("<a>/b\\c\"d:e;f?g*h|i=j`k"), "_a__b_c_d_e_f_g_h_i_j_k");
  EXPECT_EQ(DxfLayerName("T 1"), "T 1");
  EXPECT_EQ(DxfLayerName("外形(φ10)"), "外形(φ10)");
  EXPECT_EQ(DxfLayerName("%"), "%");
  EXPECT_EQ(DxfLayerName("G90\r\nT\t1"), "G90__T_1");
}

}  // namespace
}  // namespace kovrel
