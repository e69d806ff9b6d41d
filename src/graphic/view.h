// The view transform and the drawing of the figure: the view box with its
// fit (Home), zoom and pan, the window set from it, the drawing routine
// GrSub with its snap points, and the figure written back as G-code or as
// hole data.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "core/text_output.h"
#include "graphic/canvas.h"
#include "graphic/figure.h"

namespace kovrel {

/// The part of the world the view shows, and the arc step: the chord of
/// arcs drawn as lines and the snap tolerance.
struct ViewBox {
  float ViewLeft = 0, ViewRight = 0, ViewTop = 0, ViewBottom = 0;
  float ViewWidth = 0, ViewHeight = 0, ViewCenterX = 0, ViewCenterY = 0;
  float ArcStep = 3;
};

/// Fits the whole figure with a margin of 10 (Home). An empty figure shows
/// the origin, and so does a figure too wide for a float to measure.
void Home(const FigureTables& figure, ViewBox& box);
/// Zoom in by 2 about the centre; false (and nothing changes) when the arc
/// step is 0.01 or less or the width 2 or less.
bool ZoomIn(ViewBox& box);
/// The widest view: zooming out stops before the box would be wider or
/// higher than this (a million metres), as zooming in stops at its limit.
inline constexpr float kWidestView = 1e9f;
/// Zoom out by 2 about the centre; false (and nothing changes) when the box
/// would pass kWidestView.
bool ZoomOut(ViewBox& box);
/// Moves the box by 0.3 of its size: dx, dy are -1, 0 or 1.
void Pan(ViewBox& box, int dx, int dy);
/// Moves the box so that its centre is (x, y).
void CentreAt(ViewBox& box, float x, float y);

/// The window set on a surface of the given size: the box widened along one
/// axis so that a world unit has the same length on both.
Window WindowFor(const ViewBox& box, double width, double height);

/// One snap point: kind 1 a point, 2 and 3 an arc centre, 4 a hole.
struct PickPoint {
  int kind = 0;
  float x = 0, y = 0, a = 0, b = 0;
};

/// The snap points of the last drawing; entries are numbered from 1.
struct PickTable {
  static constexpr int kLimit = 99900;
  std::vector<PickPoint> points = std::vector<PickPoint>(1);  ///< entry 0 unused
  int PickCount() const { return static_cast<int>(points.size()) - 1; }
  void Reset() { points.resize(1); }
  /// A single entry: added while below the limit, else entry 99900 is
  /// overwritten.
  void Add(const PickPoint& point);
};

/// The drawing options of the view's menus.
struct DrawOptions {
  bool g00_lines = false;   ///< MnuG00: rapid moves dash-dot
  bool base_lines = false;  ///< MnuXYLine: the axes dash-dot in red
  bool arcs_as_lines = false;  ///< MnuCircleOrLine(1)
  bool white_paper = false;    ///< the print panel: white background
  bool monochrome = false;     ///< black ink on the print panel
  /// When set and it turns true, the drawing stops where it is (a newer
  /// drawing has been asked for).
  const std::atomic<bool>* cancel = nullptr;
};

/// Draws the whole figure (GrSub): the window from the box, the background,
/// the base lines, the holes and the elements of shown layers.
void GrSub(const FigureTables& figure, const ViewBox& box, const DrawOptions& options, Canvas& canvas,
           PickTable& picks);

/// The figure as G-code (PictureGcode): every element with its layer name
/// before each run of a layer; wide G01 and arcs become their outlines.
std::string PictureGcode(const FigureTables& figure);
/// The same, written into `out` an element at a time.
void PictureGcode(const FigureTables& figure, TextOutput& out);

/// The hole data of a drill figure: the tool table, then each tool with its
/// holes.
std::string RegenerateHoleData(const FigureTables& figure);

/// True when some layer has a width and there are elements.
bool HasWideLayers(const FigureTables& figure);

}  // namespace kovrel
