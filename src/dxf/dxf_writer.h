// The DXF writer of the drawings this program makes (hole data and G-code
// as DXF): the header built from the two fixed templates around the current
// layer and the code page, the layer table, an empty BLOCKS section, and the
// ENTITIES section with its POINT, LINE, CIRCLE and ARC records. Group codes
// stand right-aligned in three columns and every line ends in CR LF. The
// numbers of the records come already written, in the form the calling
// conversion gives them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/append.h"

namespace kovrel {

/// One record of the layer table: the layer's name and its colour number
/// as the caller writes it.
struct DxfLayerEntry {
  std::string name;
  std::string colour;
};

/// The head of an entity record: its layer and its colour number.
struct DxfEntityHead {
  std::string_view layer;
  std::string_view colour;
};

/// `name` as a layer name DXF accepts: each of the characters <>/\":;?*|=
/// and the backquote becomes "_", and so does a control character (a
/// quoted label may hold a line end, which no DXF line can).
std::string DxfLayerName(std::string_view name);

/// One group: the code right-aligned in three columns ("  0", " 10",
/// "999"), then the value, each on a line of its own.
void AppendDxfGroup(std::string& out, int code, std::string_view value);

/// The start of a drawing up to the ENTITIES section: the header with the
/// current layer `current_layer` and the code page ANSI_932, the line types,
/// the layer table with `layers`, and the empty BLOCKS section.
void AppendDxfStart(std::string& out, std::string_view current_layer, const std::vector<DxfLayerEntry>& layers);

/// The end of the ENTITIES section and of the file.
void AppendDxfEnd(std::string& out);

void AppendDxfPoint(std::string& out, const DxfEntityHead& head, std::string_view x, std::string_view y);
void AppendDxfLine(std::string& out, const DxfEntityHead& head, std::string_view x1, std::string_view y1,
                   std::string_view x2, std::string_view y2);
void AppendDxfCircle(std::string& out, const DxfEntityHead& head, std::string_view cx, std::string_view cy,
                     std::string_view radius);

/// The CIRCLE records of one layer, colour and radius, for a drawing of
/// millions of them: the text around the centre is put together once, and
/// the centre's coordinates are pieces of Append (a text, or a number
/// written in place).
class DxfCircleWriter {
 public:
  DxfCircleWriter(const DxfEntityHead& head, std::string_view radius);

  template <typename X, typename Y>
  void Write(std::string& out, const X& cx, const Y& cy) const {
    Append(out, before_x_, cx, "\r\n 20\r\n", cy, after_y_);
  }

  /// The text of a record before its centre's X and after its Y, for a
  /// writer that puts the record together itself.
  std::string_view BeforeX() const { return before_x_; }
  std::string_view AfterY() const { return after_y_; }

 private:
  std::string before_x_, after_y_;
};
/// An arc from `start_angle` counter-clockwise to `end_angle` (degrees).
void AppendDxfArc(std::string& out, const DxfEntityHead& head, std::string_view cx, std::string_view cy,
                  std::string_view radius, std::string_view start_angle, std::string_view end_angle);

}  // namespace kovrel
