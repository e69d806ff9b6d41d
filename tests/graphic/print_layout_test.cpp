// The print scale, the page on the figure and the bitmap name.
#include "graphic/print_layout.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace kovrel {
namespace {

TEST(PrintLayout, ScaleAndPageOutline) {
  EXPECT_EQ(PrintScaleText(PrintScale("0.05")), "1.000");
  EXPECT_EQ(PrintScale("0.1"), 1);
  EXPECT_EQ(PrintScale("abc"), 1);
  EXPECT_EQ(PrintScale("２"), 2);
  EXPECT_EQ(PrintScaleText(PrintScale("0.25")), "0.250");
  // Scale 2 on A4 portrait (printable 200 x 287 mm here): half in world units.
  const PageOutline page = PageOutlineFor(200, 287, 2);
  EXPECT_EQ(page.width, 100);
  EXPECT_EQ(page.height, 143.5f);

  const ViewBox box = PageBox(-10, 50, page, 3);
  RecordingCanvas canvas(2000, 2870);  // the printable area at 10 units a millimetre
  FigureTables figure;
  PrintFigure(figure, box, {}, canvas);
  EXPECT_FLOAT_EQ(canvas.window_.left, -10);
  EXPECT_FLOAT_EQ(canvas.window_.right, 90);
  EXPECT_FLOAT_EQ(canvas.window_.top, 50);
  EXPECT_FLOAT_EQ(canvas.window_.bottom, -93.5f);
}

TEST(PrintLayout, HiddenLayersPrintNothingAndBlackInkPrintsBlack) {
  FigureTables figure;
  LoadFigure(figure, "A\r\nG01X10Y0\r\nG02X0Y0I-5J0\r\n");
  figure.HolePoints.push_back({5, 5, 0});
  figure.LayerWidth[0] = 0;
  figure.LayerColor[1] = 255;
  const ViewBox page = PageBox(-20, 20, {100, 100}, 3);

  RecordingCanvas colour;
  PrintFigure(figure, page, {}, colour);
  EXPECT_EQ(colour.Of("line").size(), 1u);
  EXPECT_EQ(colour.Of("circle").size(), 1u);
  EXPECT_EQ(colour.Of("clear")[0].values[0], 16777215);  // white paper

  RecordingCanvas black;
  DrawOptions ink;
  ink.monochrome = true;
  PrintFigure(figure, page, ink, black);
  for (const auto& call : black.Of("color")) EXPECT_EQ(call.values[0], 0);

  figure.LayerVisible[0] = 0;
  RecordingCanvas hidden;
  PrintFigure(figure, page, {}, hidden);
  EXPECT_TRUE(hidden.Of("line").empty());
  EXPECT_TRUE(hidden.Of("circle").empty());  // the hole of the layer too
  EXPECT_TRUE(hidden.Of("arc").empty());
}

TEST(PrintLayout, BitmapNames) {
  EXPECT_EQ(BitmapFileName("/tmp/fig.png"), "/tmp/fig.bmp");
  EXPECT_EQ(BitmapFileName("/tmp/fig"), "/tmp/fig.bmp");
  EXPECT_EQ(BitmapFileName("/tmp/part.v2.bmp"), "/tmp/part.bmp");
  EXPECT_EQ(BitmapFileName("/tmp/a.b/fig"), "/tmp/a.b/fig.bmp");
  EXPECT_EQ(BitmapFileName("fig.bmp"), "fig.bmp");
}

}  // namespace
}  // namespace kovrel
