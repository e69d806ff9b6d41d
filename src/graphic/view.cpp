// The view box, GrSub and the write-back of the figure.
#include "graphic/view.h"

#include <algorithm>
#include <cmath>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/number_format.h"
#include "core/ordered_pieces.h"

namespace kovrel {
namespace {


// Colours as R + 256 G + 65536 B: the paper of the print panel, the axes.
constexpr int kWhite = 16777215;
constexpr int kRed = 255;

// An arc of a larger radius (10 km) is drawn as a straight line.
constexpr double kStraightArcRadius = 1e7;
// The most chords an arc drawn as lines gets.
constexpr long kMaxChords = 10000;
// The elements written as one piece of a G-code picture, and the bytes the
// common element (a line of a layer without width) takes at most.
constexpr std::size_t kElementsPerPiece = 32768;
constexpr std::size_t kCommonPerElement = 64;

bool Inside(const Window& w, float x, float y) { return w.left < x && x < w.right && w.bottom < y && y < w.top; }

// The start and end angles of an arc from S about C = S + (i, j) to E, in
// (0, 2 pi]: the view counts a direction of 0 as a full turn.
ArcDirections Angles(double i, double j, double cx, double cy, double ex, double ey) {
  ArcDirections angles = ArcDirectionsRadians(i, j, cx, cy, ex, ey);
  if (angles.start == 0) angles.start = 2 * kPi;
  if (angles.end == 0) angles.end = 2 * kPi;
  return angles;
}

// The offset of the sides of a wide line from its centre line.
void SideOffset(double sx, double sy, double ex, double ey, double hw, double& o, double& p) {
  const double dx = sx - ex, dy = sy - ey;
  if (dx == 0) {
    o = hw;
    p = 0;
    return;
  }
  const double a = std::atan(dy / dx);
  o = std::sin(a) * hw;
  p = std::cos(a) * hw;
}

class Drawer {
 public:
  Drawer(const FigureTables& figure, const ViewBox& box, const DrawOptions& options, Canvas& canvas, PickTable& picks)
      : figure_(figure), box_(box), options_(options), canvas_(canvas), picks_(picks) {}

  void Draw();

 private:
  void Element(int e);
  void WideLine(double sx, double sy, double ex, double ey, double hw, bool end_inside);
  void WideOrThinArc(const FigElem& element, double sx, double sy, double hw);
  // The snap points of an arc of radius r: its two ends and the start point
  // of the element it belongs to.
  void RecordArcPicks(double cx, double cy, double r, double a1, double a2, double sx, double sy);
  // Draws the arc counter-clockwise from a1 to a2 as the view's mode says:
  // the canvas's arc, or chords of the arc step's length.
  void DrawArc(double cx, double cy, double r, double a1, double a2);
  int LayerColour(int layer) const {
    return monochrome_ ? 0 : CanvasColour(figure_.LayerColor[static_cast<std::size_t>(layer + 1)]);
  }

  const FigureTables& figure_;
  const ViewBox& box_;
  const DrawOptions& options_;
  Canvas& canvas_;
  PickTable& picks_;
  Window window_;
  bool monochrome_ = false;
  double cur_x_ = 0, cur_y_ = 0;
};

void Drawer::Draw() {
  window_ = WindowFor(box_, canvas_.Width(), canvas_.Height());
  canvas_.SetWindow(window_);
  canvas_.SetStyle(LineStyle::kSolid);
  if (options_.white_paper) {
    canvas_.Clear(kWhite);
    monochrome_ = options_.monochrome;
  } else {
    canvas_.Clear(CanvasColour(figure_.LayerColor[0]));
    if (options_.base_lines) {
      canvas_.SetStyle(LineStyle::kDashDot);
      canvas_.SetColor(kRed);
      canvas_.Line(window_.left, 0, window_.right, 0);
      canvas_.Line(0, window_.top, 0, window_.bottom);
      canvas_.SetStyle(LineStyle::kSolid);
    }
  }
  picks_.Reset();
  for (const HolePoint& hole : figure_.HolePoints) {
    if (!figure_.Shown(hole.tool)) continue;
    canvas_.SetColor(LayerColour(hole.tool));
    canvas_.Circle(hole.x, hole.y, figure_.LayerWidth[static_cast<std::size_t>(hole.tool)] * 0.5);
    if (Inside(window_, hole.x, hole.y)) picks_.Add({4, hole.x, hole.y, hole.x, hole.y});
  }
  cur_x_ = cur_y_ = 0;
  for (int e = 0; e <= figure_.LastElem(); ++e) {
    if ((e & 4095) == 0 && options_.cancel != nullptr && options_.cancel->load(std::memory_order_relaxed)) return;
    Element(e);
  }
}

void Drawer::Element(int e) {
  const FigElem& element = figure_.FigElems[static_cast<std::size_t>(e)];
  if (!figure_.Shown(element.layer)) return;  // the current point stays
  const double hw = figure_.LayerWidth[static_cast<std::size_t>(element.layer)] * 0.5;
  const bool end_inside = Inside(window_, element.x, element.y);
  const bool arc = element.g == 2 || element.g == 3;
  if (end_inside) {
    if (!arc) {
      picks_.Add({1, element.x, element.y, element.i, element.j});
    } else {
      const FigElem* before = e > 0 ? &figure_.FigElems[static_cast<std::size_t>(e - 1)] : nullptr;
      const float cx = (before ? before->x : 0) + element.i, cy = (before ? before->y : 0) + element.j;
      picks_.Add({static_cast<int>(element.g), cx, cy, element.i, element.j});
      picks_.Add({1, element.x, element.y, 0, 0});
    }
  }
  canvas_.SetColor(LayerColour(element.layer));
  if (element.g == 0) {
    if (options_.g00_lines) {
      canvas_.SetStyle(LineStyle::kDashDot);
      canvas_.Line(cur_x_, cur_y_, element.x, element.y);
      canvas_.SetStyle(LineStyle::kSolid);
    }
  } else if (element.g == 1) {
    if (hw > 0) {
      WideLine(cur_x_, cur_y_, element.x, element.y, hw, end_inside);
    } else if (cur_x_ != element.x || cur_y_ != element.y) {
      canvas_.Line(cur_x_, cur_y_, element.x, element.y);
    } else {
      canvas_.Point(element.x, element.y);
    }
  } else if (arc) {
    WideOrThinArc(element, cur_x_, cur_y_, hw);
  }
  cur_x_ = element.x;
  cur_y_ = element.y;
}

void Drawer::WideLine(double sx, double sy, double ex, double ey, double hw, bool end_inside) {
  canvas_.Circle(sx, sy, hw);
  canvas_.Circle(ex, ey, hw);
  double o, p;
  SideOffset(sx, sy, ex, ey, hw, o, p);
  canvas_.Line(sx + o, sy - p, ex + o, ey - p);
  canvas_.Line(sx - o, sy + p, ex - o, ey + p);
  if (end_inside && picks_.PickCount() < PickTable::kLimit) {
    for (const auto& [x, y] : {std::pair{sx + o, sy - p}, {sx - o, sy + p}, {ex + o, ey - p}, {ex - o, ey + p}}) {
      picks_.points.push_back({1, static_cast<float>(x), static_cast<float>(y), 0, 0});
    }
  }
}

void Drawer::WideOrThinArc(const FigElem& element, double sx, double sy, double hw) {
  const double r = std::sqrt(static_cast<double>(element.i) * element.i + static_cast<double>(element.j) * element.j);
  const double cx = sx + element.i, cy = sy + element.j;
  if (!(r <= kStraightArcRadius)) {
    // A radius no machine cuts (or an overflow): the arc is drawn as the
    // straight line it looks like, from its start to its end.
    picks_.Add({1, static_cast<float>(sx), static_cast<float>(sy), 0, 0});
    canvas_.Line(sx, sy, element.x, element.y);
    return;
  }
  const ArcDirections angles = Angles(element.i, element.j, cx, cy, element.x, element.y);
  const double a1 = element.g == 2 ? angles.end : angles.start;
  const double a2 = element.g == 2 ? angles.start : angles.end;
  if (hw == 0) {
    RecordArcPicks(cx, cy, r, a1, a2, sx, sy);
    DrawArc(cx, cy, r, a1, a2);
    return;
  }
  // A wide arc: a circle at its start, the outer and the inner side (the
  // inner one only while it has a radius).
  RecordArcPicks(cx, cy, r, a1, a2, sx, sy);
  canvas_.Circle(sx, sy, hw);
  RecordArcPicks(cx, cy, r + hw, a1, a2, sx, sy);
  DrawArc(cx, cy, r + hw, a1, a2);
  RecordArcPicks(cx, cy, r - hw, a1, a2, sx, sy);
  if (r - hw > 0) DrawArc(cx, cy, r - hw, a1, a2);
}

void Drawer::RecordArcPicks(double cx, double cy, double r, double a1, double a2, double sx, double sy) {
  if (picks_.PickCount() > PickTable::kLimit) return;
  picks_.points.push_back({1, static_cast<float>(cx + r * std::cos(a1)), static_cast<float>(cy + r * std::sin(a1)), 0, 0});
  picks_.points.push_back({1, static_cast<float>(cx + r * std::cos(a2)), static_cast<float>(cy + r * std::sin(a2)), 0, 0});
  picks_.points.push_back({1, static_cast<float>(sx), static_cast<float>(sy), 0, 0});
}

void Drawer::DrawArc(double cx, double cy, double r, double a1, double a2) {
  if (!options_.arcs_as_lines || r / box_.ArcStep < 20) {
    canvas_.Arc(cx, cy, r, a1, a2);
    return;
  }
  // Chords of the arc step's length, counted rather than stepped so that a
  // step too small to move the angle cannot stall the loop; a huge arc gets
  // at most kMaxChords of them.
  double from = a1;
  if (from >= a2) from -= 2 * kPi;
  const double step = box_.ArcStep / r;
  const double wanted = std::floor((a2 - from) / step);
  const long chords = wanted < kMaxChords ? static_cast<long>(wanted) : kMaxChords;
  const double used_step = wanted < kMaxChords ? step : (a2 - from) / kMaxChords;
  double last_x = cx + r * std::cos(a1), last_y = cy + r * std::sin(a1);
  canvas_.Point(last_x, last_y);
  for (long k = 0; k <= chords; ++k) {
    const double a = from + static_cast<double>(k) * used_step;
    const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
    canvas_.Line(last_x, last_y, x, y);
    last_x = x;
    last_y = y;
  }
  canvas_.Line(last_x, last_y, cx + r * std::cos(a2), cy + r * std::sin(a2));
}

const Mask& GcodeMask() {
  static const Mask mask = ParseMask("#######0.0###");
  return mask;
}
// A coordinate of the figure's G-code as a single value, written straight
// into the output by Append.
MaskedNumber<float> G(double value) { return Masked(static_cast<float>(value), GcodeMask()); }

// A full circle of radius r about (x, y) in the two-line form.
void FullCircle(std::string& out, double x, double y, double r) {
  AppendLine(out, "G00X", G(x + r), "Y", G(y));
  AppendLine(out, "G02X", G(x + r), "Y", G(y), "I-", G(r), "J0");
}

}  // namespace

void PickTable::Add(const PickPoint& point) {
  if (PickCount() < kLimit) {
    points.push_back(point);
  } else {
    points[kLimit] = point;
  }
}

void Home(const FigureTables& figure, ViewBox& box) {
  bool first = true;
  const auto widen = [&](float x, float y) {
    if (first) {
      box.ViewLeft = box.ViewRight = x;
      box.ViewTop = box.ViewBottom = y;
      first = false;
      return;
    }
    box.ViewLeft = std::min(box.ViewLeft, x);
    box.ViewRight = std::max(box.ViewRight, x);
    box.ViewTop = std::max(box.ViewTop, y);
    box.ViewBottom = std::min(box.ViewBottom, y);
  };
  for (const HolePoint& hole : figure.HolePoints) widen(hole.x, hole.y);
  first = true;
  for (const FigElem& element : figure.FigElems) widen(element.x, element.y);
  if ((figure.HolePoints.empty() && figure.FigElems.empty()) ||
      !std::isfinite(box.ViewRight - box.ViewLeft) || !std::isfinite(box.ViewTop - box.ViewBottom)) {
    // An empty figure shows the origin: Home again does not widen the view.
    // A figure whose extent overflows a float shows the origin too.
    box.ViewLeft = box.ViewRight = box.ViewTop = box.ViewBottom = 0;
  }
  box.ViewLeft -= 10;
  box.ViewRight += 10;
  box.ViewTop += 10;
  box.ViewBottom -= 10;
  box.ViewWidth = std::fabs(box.ViewRight - box.ViewLeft);
  box.ViewCenterX = box.ViewLeft + box.ViewWidth / 2;
  box.ViewHeight = std::fabs(box.ViewTop - box.ViewBottom);
  box.ViewCenterY = box.ViewTop - box.ViewHeight / 2;
  box.ArcStep = 3;
}

namespace {
void EdgesFromCentre(ViewBox& box) {
  box.ViewLeft = box.ViewCenterX - box.ViewWidth / 2;
  box.ViewRight = box.ViewCenterX + box.ViewWidth / 2;
  box.ViewTop = box.ViewCenterY + box.ViewHeight / 2;
  box.ViewBottom = box.ViewCenterY - box.ViewHeight / 2;
}
}  // namespace

bool ZoomIn(ViewBox& box) {
  if (box.ArcStep <= 0.01f || box.ViewWidth <= 2) return false;
  box.ViewWidth /= 2;
  box.ViewHeight /= 2;
  box.ArcStep /= 2;
  EdgesFromCentre(box);
  return true;
}

bool ZoomOut(ViewBox& box) {
  if (!(box.ViewWidth * 2 <= kWidestView && box.ViewHeight * 2 <= kWidestView)) return false;
  box.ViewWidth *= 2;
  box.ViewHeight *= 2;
  box.ArcStep *= 2;
  EdgesFromCentre(box);
  return true;
}

void Pan(ViewBox& box, int dx, int dy) {
  const float sx = dx * 0.3f * box.ViewWidth, sy = dy * 0.3f * box.ViewHeight;
  box.ViewCenterX += sx;
  box.ViewLeft += sx;
  box.ViewRight += sx;
  box.ViewCenterY += sy;
  box.ViewTop += sy;
  box.ViewBottom += sy;
}

void CentreAt(ViewBox& box, float x, float y) {
  const float sx = x - box.ViewCenterX, sy = y - box.ViewCenterY;
  box.ViewCenterX = x;
  box.ViewLeft += sx;
  box.ViewRight += sx;
  box.ViewCenterY = y;
  box.ViewTop += sy;
  box.ViewBottom += sy;
}

Window WindowFor(const ViewBox& box, double width, double height) {
  const auto rh = static_cast<float>(height / box.ViewHeight);
  const auto rw = static_cast<float>(width / box.ViewWidth);
  Window window;
  if (rw >= rh) {
    const double k = width / height;
    window.top = box.ViewTop;
    window.bottom = box.ViewBottom;
    window.left = static_cast<float>(box.ViewCenterX - box.ViewHeight / 2 * k);
    window.right = static_cast<float>(box.ViewCenterX + box.ViewHeight / 2 * k);
  } else {
    const double k = height / width;
    window.left = box.ViewLeft;
    window.right = box.ViewRight;
    window.top = static_cast<float>(box.ViewCenterY + box.ViewWidth / 2 * k);
    window.bottom = static_cast<float>(box.ViewCenterY - box.ViewWidth / 2 * k);
  }
  return window;
}

void GrSub(const FigureTables& figure, const ViewBox& box, const DrawOptions& options, Canvas& canvas,
           PickTable& picks) {
  Drawer(figure, box, options, canvas, picks).Draw();
}

bool HasWideLayers(const FigureTables& figure) {
  if (figure.LastElem() < 0) return false;
  for (int k = 0; k < kLayerCount; ++k) {
    if (figure.LayerWidth[static_cast<std::size_t>(k)] > 0) return true;
  }
  return false;
}

std::string PictureGcode(const FigureTables& figure) {
  TextOutput out;
  out.text.reserve(figure.FigElems.size() * 24);
  PictureGcode(figure, out);
  return std::move(out.text);
}

void PictureGcode(const FigureTables& figure, TextOutput& output) {
  // Each element is written from itself and the element before it, so the
  // pieces of a large figure can be written at once.
  const auto count = static_cast<std::size_t>(figure.LastElem() + 1);
  const auto write = [&figure, count](std::size_t piece, TextOutput& output) {
    std::string& out = output.text;
    const std::size_t first = piece * kElementsPerPiece;
    const std::size_t last = std::min(count, first + kElementsPerPiece);
    double sx = 0, sy = 0;
    int last_layer = -1;
    if (first > 0) {
      const FigElem& before = figure.FigElems[first - 1];
      sx = before.x;
      sy = before.y;
      last_layer = before.layer;
    }
    for (std::size_t e = first; e < last; ++e) {
      const FigElem& element = figure.FigElems[e];
      const int layer = element.layer;
      const double hw = figure.LayerWidth[static_cast<std::size_t>(layer)] * 0.5;
      if (layer != last_layer) {
        AppendLine(out, figure.LayerNames[static_cast<std::size_t>(layer)]);
        last_layer = layer;
      }
      const double x = element.x, y = element.y;
      if (hw == 0) {
        if (element.g == 0) AppendLine(out, "G00X", G(x), "Y", G(y));
        if (element.g == 1) AppendLine(out, "G01X", G(x), "Y", G(y));
        if (element.g == 2) AppendLine(out, "G02X", G(x), "Y", G(y), "I", G(element.i), "J", G(element.j));
        if (element.g == 3) AppendLine(out, "G03X", G(x), "Y", G(y), "I", G(element.i), "J", G(element.j));
      } else if (element.g == 1) {
        if (e > 0 && figure.FigElems[e - 1].g == 0) FullCircle(out, sx, sy, hw);
        FullCircle(out, x, y, hw);
        double o, p;
        SideOffset(sx, sy, x, y, hw, o, p);
        AppendLine(out, "G00X", G(sx + o), "Y", G(sy - p));
        AppendLine(out, "G01X", G(x + o), "Y", G(y - p));
        AppendLine(out, "G00X", G(sx - o), "Y", G(sy + p));
        AppendLine(out, "G01X", G(x - o), "Y", G(y + p));
      } else if (element.g == 2 || element.g == 3) {
        FullCircle(out, x, y, hw);
        const double cx = sx + element.i, cy = sy + element.j;
        const double r =
            std::sqrt(static_cast<double>(element.i) * element.i + static_cast<double>(element.j) * element.j);
        const ArcDirections angles = Angles(element.i, element.j, cx, cy, x, y);
        const double a1 = element.g == 2 ? angles.end : angles.start;
        const double a2 = element.g == 2 ? angles.start : angles.end;
        for (const double radius : {r + hw, r - hw}) {
          if (radius <= 0) continue;
          const double bx = cx + radius * std::cos(a1), by = cy + radius * std::sin(a1);
          const double ex = cx + radius * std::cos(a2), ey = cy + radius * std::sin(a2);
          AppendLine(out, "G00X", G(bx), "Y", G(by));
          AppendLine(out, "G03X", G(ex), "Y", G(ey), "I", G(cx - bx), "J", G(cy - by));
        }
      }
      sx = x;
      sy = y;
      output.Pass();
    }
  };
  WritePiecesInOrder((count + kElementsPerPiece - 1) / kElementsPerPiece, kElementsPerPiece * kCommonPerElement, write,
                     output);
}

std::string RegenerateHoleData(const FigureTables& figure) {
  static const Mask diameter = ParseMask("####0.000#");
  static const Mask coordinate = ParseMask("####0.000#####");
  std::string out;
  for (int k = 0; k < kLayerCount && !figure.LayerNames[static_cast<std::size_t>(k)].empty(); ++k) {
    AppendLine(out, figure.LayerNames[static_cast<std::size_t>(k)], "φ",
               FormatMask(figure.LayerWidth[static_cast<std::size_t>(k)], diameter));
  }
  for (int k = 0; k < kLayerCount && !figure.LayerNames[static_cast<std::size_t>(k)].empty(); ++k) {
    bool named = false;
    for (const HolePoint& hole : figure.HolePoints) {
      if (hole.tool != k) continue;
      if (!named) AppendLine(out, figure.LayerNames[static_cast<std::size_t>(k)]);
      named = true;
      AppendLine(out, "X", FormatMask(hole.x, coordinate), "Y", FormatMask(hole.y, coordinate));
    }
  }
  return out;
}

}  // namespace kovrel
