// DXF to G-code.
#include "dxf/dxf_gcode.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "dxf/dxf_reader.h"

namespace kovrel {
namespace {

constexpr double kRadiansPerDegree = kPi / 180;

struct Xy {
  double x = 0, y = 0;
};

// The G-code of the entities, move by move. The position is where the last
// move ended, as written (so a start that would be written the same is no
// move).
class Tracer {
 public:
  Tracer(double origin_x, double origin_y, TextOutput& output)
      : output(output), out(output.text), origin_{origin_x, origin_y}, mask_(ParseMask("######0.0###")) {}

  void Trace(const DxfEntity& entity);
  // Ends a polyline whose SEQEND is missing.
  void Finish() { EndPath(); }

  TextOutput& output;
  std::string& out;  // the text of `output`, where the lines are written
  int skipped = 0;
  bool traced = false;

 private:
  // A polyline being traced, vertex by vertex.
  struct Path {
    bool open = false;
    bool ignored = false;  // a mesh, or skipped for its extrusion
    bool mirrored = false;
    bool closed = false;
    int vertices = 0;
    Xy first, last;
    double bulge = 0;  // of the segment that ends at the next vertex
  };

  // A point of the entity's own coordinates in the drawing's coordinates,
  // relative to the origin; `mirrored` for the extrusion -Z. Positions are
  // single values: one beyond a float's range is the failure 6.
  Xy World(double x, double y, bool mirrored) const {
    return {InSingleRange((mirrored ? -x : x) - origin_.x), InSingleRange(y - origin_.y)};
  }
  Xy World(const DxfEntity& entity, int code, bool mirrored) const {
    return World(entity.Number(code), entity.Number(code + 10), mirrored);
  }

  // The extrusion of an entity that has one: false (and counted) when it
  // is skipped; `mirrored` for -Z.
  bool Upright(const DxfEntity& entity, bool& mirrored);
  void TakeLayer(const DxfEntity& entity);

  // Writes the layer line when the layer changed.
  void WriteLayer();
  // WriteLayer, and takes `to` as the position.
  void MoveTo(Xy to);
  // `text` becomes `value` as FormatMask writes it, in the room the string
  // already has (a position is written for every move).
  void SetMasked(std::string& text, double value) const {
    text.clear();
    Append(text, Masked(value, mask_));
  }
  void Move(std::string_view word, Xy to);
  void ArcMove(std::string_view word, Xy to, Xy centre, Xy from);
  void StartPath(bool ignored, bool mirrored, bool closed);
  void PathVertex(Xy to);
  void EndPath();

  void Line(const DxfEntity& entity);
  void Point(const DxfEntity& entity);
  void Circle(const DxfEntity& entity);
  void Arc(const DxfEntity& entity);
  void Polyline(const DxfEntity& entity);
  void Vertex(const DxfEntity& entity);
  void LwPolyline(const DxfEntity& entity);

  Xy origin_;
  Mask mask_;
  std::string layer_, written_layer_;
  Xy position_;                        // the position
  std::string x_ = "0.0", y_ = "0.0";  // the position as written
  std::string next_x_, next_y_;
  Path path_;
};

void Tracer::Trace(const DxfEntity& entity) {
  const std::string_view name = entity.name;
  // Any entity but a VERTEX ends a polyline (SEQEND is the one meant to).
  if (name != "VERTEX") EndPath();
  if (name == "LINE") {
    Line(entity);
  } else if (name == "POINT") {
    Point(entity);
  } else if (name == "CIRCLE") {
    Circle(entity);
  } else if (name == "ARC") {
    Arc(entity);
  } else if (name == "POLYLINE") {
    Polyline(entity);
  } else if (name == "VERTEX") {
    Vertex(entity);
  } else if (name == "LWPOLYLINE") {
    LwPolyline(entity);
  }
}

bool Tracer::Upright(const DxfEntity& entity, bool& mirrored) {
  const DxfExtrusion extrusion = entity.Extrusion();
  if (extrusion == DxfExtrusion::kOther) {
    ++skipped;
    return false;
  }
  mirrored = extrusion == DxfExtrusion::kDown;
  return true;
}

void Tracer::TakeLayer(const DxfEntity& entity) {
  const DxfGroup* layer = entity.Find(8);
  if (layer == nullptr) return;
  // A layer name loses its blanks: the line names the layer on its own.
  layer_.clear();
  for (const char c : layer->value) {
    if (c != ' ' && c != '\t') layer_ += c;
  }
}

void Tracer::WriteLayer() {
  if (layer_ != written_layer_) {
    AppendLine(out, layer_);
    written_layer_ = layer_;
  }
  traced = true;
}

void Tracer::MoveTo(Xy to) {
  WriteLayer();
  // A move to where the last one ended (the full circle after its rapid
  // move) keeps the texts: the same values write the same texts.
  if (to.x == position_.x && to.y == position_.y) return;
  SetMasked(x_, to.x);
  SetMasked(y_, to.y);
  position_ = to;
}

void Tracer::Move(std::string_view word, Xy to) {
  MoveTo(to);
  AppendLine(out, word, "X", x_, "Y", y_);
}

void Tracer::ArcMove(std::string_view word, Xy to, Xy centre, Xy from) {
  MoveTo(to);
  AppendLine(out, word, "X", x_, "Y", y_, "I", Masked(InSingleRange(centre.x - from.x), mask_), "J",
             Masked(InSingleRange(centre.y - from.y), mask_));
}

void Tracer::Line(const DxfEntity& entity) {
  TakeLayer(entity);
  const Xy start = World(entity, 10, false), end = World(entity, 11, false);
  SetMasked(next_x_, start.x);
  SetMasked(next_y_, start.y);
  if (next_x_ != x_ || next_y_ != y_) {
    // The start, already written, becomes the position.
    WriteLayer();
    std::swap(x_, next_x_);
    std::swap(y_, next_y_);
    position_ = start;
    AppendLine(out, "G00X", x_, "Y", y_);
  }
  Move("G01", end);
}

void Tracer::Point(const DxfEntity& entity) {
  TakeLayer(entity);
  const Xy point = World(entity, 10, false);
  Move("G00", point);
  Move("G01", point);
}

void Tracer::Circle(const DxfEntity& entity) {
  bool mirrored = false;
  if (!Upright(entity, mirrored)) return;
  TakeLayer(entity);
  const Xy centre = World(entity, 10, mirrored);
  const Xy start{centre.x + entity.Number(40), centre.y};
  Move("G00", start);
  ArcMove("G02", start, centre, start);
}

void Tracer::Arc(const DxfEntity& entity) {
  bool mirrored = false;
  if (!Upright(entity, mirrored)) return;
  TakeLayer(entity);
  const double cx = entity.Number(10), cy = entity.Number(20), r = entity.Number(40);
  const double a1 = entity.Number(50) * kRadiansPerDegree, a2 = entity.Number(51) * kRadiansPerDegree;
  const Xy centre = World(cx, cy, mirrored);
  const Xy start = World(cx + r * std::cos(a1), cy + r * std::sin(a1), mirrored);
  const Xy end = World(cx + r * std::cos(a2), cy + r * std::sin(a2), mirrored);
  Move("G00", start);
  // Counter-clockwise in the entity's coordinates; mirrored, clockwise.
  ArcMove(mirrored ? "G02" : "G03", end, centre, start);
}

void Tracer::StartPath(bool ignored, bool mirrored, bool closed) {
  path_ = Path();
  path_.open = true;
  path_.ignored = ignored;
  path_.mirrored = mirrored;
  path_.closed = closed;
}

void Tracer::PathVertex(Xy to) {
  const Xy from = path_.last;
  const double hx = (to.x - from.x) / 2, hy = (to.y - from.y) / 2;
  if (path_.vertices == 0) {
    Move("G00", to);
    path_.first = to;
  } else if (path_.bulge != 0 && (hx != 0 || hy != 0)) {
    // The centre lies on the chord's perpendicular through its middle, at
    // cot(theta / 2) half chords, theta = 4 arctan(bulge) the included
    // angle (positive counter-clockwise).
    const double cot = 1 / std::tan(2 * std::atan(path_.bulge));
    const Xy centre{from.x + hx - cot * hy, from.y + hy + cot * hx};
    ArcMove(path_.bulge > 0 ? "G03" : "G02", to, centre, from);
  } else {
    Move("G01", to);
  }
  path_.last = to;
  path_.bulge = 0;
  ++path_.vertices;
}

void Tracer::EndPath() {
  if (!path_.open) return;
  if (!path_.ignored && path_.closed && path_.vertices >= 2) PathVertex(path_.first);
  path_.open = false;
}

void Tracer::Polyline(const DxfEntity& entity) {
  const unsigned flags = entity.Flags(70);
  // A polygon or polyface mesh is no path.
  const bool mesh = (flags & (16 | 64)) != 0;
  bool mirrored = false;
  const bool upright = mesh || Upright(entity, mirrored);
  TakeLayer(entity);
  StartPath(mesh || !upright, mirrored, (flags & 1) != 0);
}

void Tracer::Vertex(const DxfEntity& entity) {
  if (!path_.open || path_.ignored) return;
  // A spline's frame control point is not on the curve.
  if ((entity.Flags(70) & 16) != 0) return;
  TakeLayer(entity);
  PathVertex(World(entity, 10, path_.mirrored));
  path_.bulge = path_.mirrored ? -entity.Number(42) : entity.Number(42);
}

void Tracer::LwPolyline(const DxfEntity& entity) {
  bool mirrored = false;
  if (!Upright(entity, mirrored)) return;
  TakeLayer(entity);
  StartPath(false, mirrored, (entity.Flags(70) & 1) != 0);
  double x = 0;
  for (const DxfGroup& group : entity.groups) {
    if (group.code == 10) {
      x = ReadNumber(group.value);
    } else if (group.code == 20) {
      PathVertex(World(x, ReadNumber(group.value), mirrored));
    } else if (group.code == 42 && path_.vertices > 0) {
      path_.bulge = mirrored ? -ReadNumber(group.value) : ReadNumber(group.value);
    }
  }
  EndPath();
}

}  // namespace

ConversionResult TraceDxfToGcode(std::string_view dxf, TextOutput& out) {
  DxfEntityReader reader(dxf);
  Tracer tracer(reader.origin_x, reader.origin_y, out);
  DxfEntity entity;
  while (reader.Next(entity)) {
    tracer.Trace(entity);
    out.Pass();
  }
  tracer.Finish();
  // Nothing traced: the caller drops what was written (layer names only
  // come with a move, so there is none).
  return DrawingResult(std::string(), tracer.traced, tracer.skipped);
}

ConversionResult DxfToGcode(std::string_view dxf) {
  TextOutput out;
  out.text.reserve(dxf.size() / 2);
  ConversionResult result = TraceDxfToGcode(dxf, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
