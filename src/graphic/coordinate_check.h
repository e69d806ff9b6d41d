// The coordinate check: a click in the view snaps to the nearest snap point
// of the last drawing within the arc step, measures it against the point
// before, and marks the last two points with red crosses; the counter
// gives the point relative to an origin the user sets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphic/canvas.h"
#include "graphic/view.h"

namespace kovrel {

/// The entry (numbered from 1) of the snap point nearest to (wx, wy) within
/// `tolerance` on both axes (strictly) and closer than `tolerance`; the
/// earlier entry wins a tie; 0 when there is none.
int NearestPick(const PickTable& picks, float wx, float wy, float tolerance);

/// A snapped point P measured from the point before it (x1, y1): the
/// offsets I, J, the midpoint, the distance and the angle in degrees
/// (arctan of J / I, -90..90; 90 when I is 0).
struct Measurement {
  float x = 0, y = 0;
  float i = 0, j = 0;
  float cx = 0, cy = 0;
  float d = 0, a = 0;
};
Measurement Measure(float x1, float y1, float px, float py);

/// A red cross of half-size `size` at a snapped point.
struct Marker {
  float x = 0, y = 0, size = 0;
};

/// What the check remembers between clicks.
struct CoordinateCheck {
  float x1 = 0, y1 = 0;  ///< point 1: the last snapped point
  float x2 = 0, y2 = 0;  ///< point 2: the one before
  float origin_x = 0, origin_y = 0;  ///< the counter's origin
  std::vector<Marker> markers;       ///< the last two marked points, the last at the back

  /// The check of a click at (wx, wy): snaps within the arc step, measures
  /// from point 1, moves the points on and marks the new point with a cross
  /// of the arc step's size (the marker two points back goes, unless the
  /// same point was clicked again). std::nullopt when nothing is near.
  std::optional<Measurement> Click(const PickTable& picks, float wx, float wy, float arc_step);
};

/// Draws the markers in red.
void DrawMarkers(const CoordinateCheck& check, Canvas& canvas);

/// The texts of the coordinate window for a measurement.
struct CheckTexts {
  std::string x, y;                  ///< point 1
  std::string counter_x, counter_y;  ///< point 1 from the counter's origin
  std::string cx, cy, i, j, d, a;
};
CheckTexts FormatCheck(const Measurement& measured, float origin_x, float origin_y);

}  // namespace kovrel
