// The DXF writer: the header templates, the tables and the entity records.
#include "dxf/dxf_writer.h"

#include <array>

#include "core/append.h"

namespace kovrel {
namespace {

// The header up to the first header variable, and the header from
// $ELEVATION to the end of the line type table, one line each.
constexpr std::array<std::string_view, 7> kTemplate0 = {"  0", "SECTION", "  2", "HEADER", "999", "KOVREL", "  9"};

constexpr std::array<std::string_view, 139> kTemplate1 = {
    "$ELEVATION", " 40", "0.0",
    "  9", "$UCSORG", " 10", "0.0", " 20", "0.0", " 30", "0.0",
    "  9", "$UCSXDIR", " 10", "1.0", " 20", "0.0", " 30", "0.0",
    "  9", "$UCSYDIR", " 10", "0.0", " 20", "1.0", " 30", "0.0",
    "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     5",
    "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "    64", "  3", "Solid line", " 72", "    65", " 73", "     0",
    " 40", "0.0",
    "  0", "LTYPE", "  2", "DASHED", " 70", "    64", "  3", "__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __",
    " 72", "    65", " 73", "     2", " 40", "0.75", " 49", "0.5", " 49", "-0.25",
    "  0", "LTYPE", "  2", "HIDDEN", " 70", "    64", "  3", "__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __",
    " 72", "    65", " 73", "     2", " 40", "0.375", " 49", "0.25", " 49", "-0.125",
    "  0", "LTYPE", "  2", "CENTER", " 70", "    64", "  3", "____ _ ____ _ ____ _ ____ _ ____ _ ____ _ ____",
    " 72", "    65", " 73", "     4", " 40", "2.0", " 49", "1.25", " 49", "-0.25", " 49", "0.25", " 49", "-0.25",
    "  0", "LTYPE", "  2", "PHANTOM", " 70", "    64", "  3", "______  __  __  ______  __  __  ______  __  __",
    " 72", "    65", " 73", "     6", " 40", "2.5", " 49", "1.25", " 49", "-0.25", " 49", "0.25", " 49", "-0.25",
    " 49", "0.25", " 49", "-0.25",
    "  0", "ENDTAB",
};

template <std::size_t N>
void AppendLines(std::string& out, const std::array<std::string_view, N>& lines) {
  for (std::string_view line : lines) AppendLine(out, line);
}

// `value` right-aligned in `width` columns.
void AppendRightAligned(std::string& out, std::string_view value, std::size_t width) {
  if (value.size() < width) out.append(width - value.size(), ' ');
  AppendLine(out, value);
}

}  // namespace

std::string DxfLayerName(std::string_view name) {
  std::string valid(name);
  for (char& c : valid) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  return valid;
}

void AppendDxfGroup(std::string& out, int code, std::string_view value) {
  if (code >= 0 && code <= 999) {
    char digits[3] = {' ', ' ', ' '};
    for (int k = 2; k >= 0; --k) {
      digits[k] = static_cast<char>('0' + code % 10);
      code /= 10;
      if (code == 0) break;
    }
    AppendLine(out, std::string_view(digits, 3));
  } else {
    AppendLine(out, std::to_string(code));
  }
  AppendLine(out, value);
}

void AppendDxfStart(std::string& out, std::string_view current_layer, const std::vector<DxfLayerEntry>& layers) {
  AppendLines(out, kTemplate0);
  AppendLine(out, "$CLAYER");
  AppendDxfGroup(out, 8, current_layer);
  AppendLine(out, "  9");
  AppendLine(out, "$DWGCODEPAGE");
  AppendDxfGroup(out, 3, "ANSI_932");
  AppendLine(out, "  9");
  AppendLines(out, kTemplate1);

  AppendDxfGroup(out, 0, "TABLE");
  AppendDxfGroup(out, 2, "LAYER");
  AppendLine(out, " 70");
  AppendRightAligned(out, std::to_string(layers.size() + 1), 6);
  for (const DxfLayerEntry& layer : layers) {
    AppendDxfGroup(out, 0, "LAYER");
    AppendDxfGroup(out, 2, layer.name);
    AppendDxfGroup(out, 70, "     0");
    AppendDxfGroup(out, 62, layer.colour);
    AppendDxfGroup(out, 6, "CONTINUOUS");
  }
  AppendDxfGroup(out, 0, "ENDTAB");
  AppendDxfGroup(out, 0, "ENDSEC");
  AppendDxfGroup(out, 0, "SECTION");
  AppendDxfGroup(out, 2, "BLOCKS");
  AppendDxfGroup(out, 0, "ENDSEC");
  AppendDxfGroup(out, 0, "SECTION");
  AppendDxfGroup(out, 2, "ENTITIES");
}

void AppendDxfEnd(std::string& out) {
  AppendDxfGroup(out, 0, "ENDSEC");
  AppendDxfGroup(out, 0, "EOF");
}

// The records are written in a few long pieces: the conversions write
// millions of them.
void AppendDxfPoint(std::string& out, const DxfEntityHead& head, std::string_view x, std::string_view y) {
  Append(out, "  0\r\nPOINT\r\n  8\r\n", head.layer, "\r\n 62\r\n", head.colour, "\r\n 10\r\n", x, "\r\n 20\r\n", y,
         "\r\n 30\r\n0.0\r\n");
}

void AppendDxfLine(std::string& out, const DxfEntityHead& head, std::string_view x1, std::string_view y1,
                   std::string_view x2, std::string_view y2) {
  Append(out, "  0\r\nLINE\r\n  8\r\n", head.layer, "\r\n 62\r\n", head.colour, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n", x1,
         "\r\n 20\r\n", y1, "\r\n 30\r\n0.0\r\n 11\r\n", x2, "\r\n 21\r\n", y2, "\r\n 31\r\n0.0\r\n");
}

DxfCircleWriter::DxfCircleWriter(const DxfEntityHead& head, std::string_view radius)
    : before_x_(Joined("  0\r\nCIRCLE\r\n  8\r\n", head.layer, "\r\n 62\r\n", head.colour,
                       "\r\n  6\r\nCONTINUOUS\r\n 10\r\n")),
      after_y_(Joined("\r\n 30\r\n0.0\r\n 40\r\n", radius, "\r\n")) {}

void AppendDxfCircle(std::string& out, const DxfEntityHead& head, std::string_view cx, std::string_view cy,
                     std::string_view radius) {
  DxfCircleWriter(head, radius).Write(out, cx, cy);
}

void AppendDxfArc(std::string& out, const DxfEntityHead& head, std::string_view cx, std::string_view cy,
                  std::string_view radius, std::string_view start_angle, std::string_view end_angle) {
  Append(out, "  0\r\nARC\r\n  8\r\n", head.layer, "\r\n 62\r\n", head.colour, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n", cx,
         "\r\n 20\r\n", cy, "\r\n 30\r\n0.0\r\n 40\r\n", radius, "\r\n 50\r\n", start_angle, "\r\n 51\r\n",
         end_angle, "\r\n");
}

}  // namespace kovrel
