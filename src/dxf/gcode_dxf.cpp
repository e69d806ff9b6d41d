// G-code to DXF.
#include "dxf/gcode_dxf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/ordered_pieces.h"
#include "core/text_reader.h"
#include "dxf/dxf_writer.h"

namespace kovrel {
namespace {

constexpr std::size_t kMaxLayers = 999;
constexpr std::string_view kFirstLayer = "10";
constexpr double kDegreesPerRadian = 57.2957795130823;
// The bytes of a program read as one piece.
constexpr std::size_t kReadPiece = std::size_t{1} << 20;
// The moves written as one piece of the result: about a megabyte of DXF.
constexpr std::size_t kMovesPerPiece = 8192;
// The DXF of a move takes at most about this many bytes (an arc's record).
constexpr std::size_t kMostPerMove = 256;

// DXF finds a layer by its name without regard to the case of ASCII
// letters, so two labels that differ only so share one layer.
std::string LayerKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

}  // namespace

GcodeDrawing ReadGcodeDrawing(std::string_view gcode) {
  GcodeDrawing drawing;
  // Each item is read by itself; only the layers follow the labels in
  // their order. So the pieces of a long program are read at once, each
  // into its moves and its labels (where they stand among its moves), and
  // taken in order, where the labels become layers. A double quote may run
  // an item on past its line: a program with one is read in one piece.
  const std::vector<std::size_t> starts =
      gcode.find('"') == std::string_view::npos ? LinePiecesToRun(gcode, kReadPiece) : std::vector<std::size_t>();
  struct Piece {
    std::vector<GcodeDrawing::Move> moves;
    std::vector<std::pair<std::size_t, std::string_view>> labels;  // the moves before each label, its item
    std::exception_ptr failure;  // the item that failed, after the moves and labels before it
  };
  std::array<Piece, kPieceSlots> pieces;
  std::unordered_map<std::string, int> layer_of;
  int current = 0;
  const auto take_moves = [&current](Piece& piece, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) piece.moves[k].layer = current;
  };
  ForPiecesInOrder(
      starts.size() + 1,
      [&](std::size_t k) {
        Piece& piece = pieces[k % kPieceSlots];
        piece.moves.clear();
        if (k == 0) piece.moves.reserve(gcode.size() / 24);
        piece.labels.clear();
        piece.failure = nullptr;
        ItemReader reader(LinePiece(gcode, starts, k));
        std::string_view item;
        try {
          while (reader.Next(item)) {
            if (NcMotion motion; ReadMoveItem(item, motion)) {
              piece.moves.push_back({motion, 0});
            } else if (!item.empty()) {  // an empty line names no layer
              piece.labels.emplace_back(piece.moves.size(), item);
            }
          }
        } catch (...) {
          piece.failure = std::current_exception();
        }
      },
      [&](std::size_t k) {
        Piece& piece = pieces[k % kPieceSlots];
        std::size_t taken = 0;
        for (const auto& [before, item] : piece.labels) {
          take_moves(piece, taken, before);
          taken = before;
          std::string name = DxfLayerName(item);
          const auto [found, added] = layer_of.try_emplace(LayerKey(name), static_cast<int>(drawing.layers.size()) + 1);
          if (added) {
            if (drawing.layers.size() >= kMaxLayers) {
              Fail(FailureKind::kIndexOutOfRange, Joined("画層になる行が 999 種類を超えています: ", item));
            }
            drawing.layers.push_back(std::move(name));
          }
          current = found->second;
        }
        take_moves(piece, taken, piece.moves.size());
        // The first piece's moves become the drawing's (a program read in
        // one piece is not copied).
        if (drawing.moves.empty()) {
          drawing.moves.swap(piece.moves);
        } else {
          drawing.moves.insert(drawing.moves.end(), piece.moves.begin(), piece.moves.end());
        }
        if (piece.failure) std::rethrow_exception(piece.failure);
      });
  return drawing;
}

std::string WriteGcodeDxf(const GcodeDrawing& drawing, const DxfColourOptions& colours) {
  TextOutput out;
  out.text.reserve(4096 + drawing.moves.size() * 170);
  WriteGcodeDxf(drawing, colours, out);
  return std::move(out.text);
}

void WriteGcodeDxf(const GcodeDrawing& drawing, const DxfColourOptions& colours, TextOutput& output) {
  std::vector<std::string_view> names = {kFirstLayer};
  std::vector<std::string> colour_texts = {FormatPrinted(static_cast<double>(LayerColour(colours, 0)))};
  std::vector<DxfLayerEntry> layers;
  layers.reserve(drawing.layers.size());
  for (std::size_t k = 0; k < drawing.layers.size(); ++k) {
    names.push_back(drawing.layers[k]);
    colour_texts.push_back(FormatPrinted(static_cast<double>(LayerColour(colours, static_cast<int>(k + 1)))));
    layers.push_back({drawing.layers[k], colour_texts.back()});
  }
  AppendDxfStart(output.text, drawing.layers.empty() ? kFirstLayer : std::string_view(drawing.layers.back()), layers);
  // Each move is written from its own motion and the end of the move before
  // it, so the pieces of a long drawing can be written at once.
  const std::size_t count = drawing.moves.size();
  const auto write = [&](std::size_t piece, TextOutput& piece_output) {
    std::string& out = piece_output.text;
    const std::size_t begin = piece * kMovesPerPiece;
    const std::size_t end = std::min(count, begin + kMovesPerPiece);
    float prev_x = 0, prev_y = 0;
    if (begin > 0) {
      prev_x = drawing.moves[begin - 1].motion.x;
      prev_y = drawing.moves[begin - 1].motion.y;
    }
    // The end of a straight move as written, which the next line starts with.
    std::string prev_x_text, prev_y_text;
    bool prev_written = false;
    for (std::size_t k = begin; k < end; ++k) {
      const GcodeDrawing::Move& move = drawing.moves[k];
      const NcMotion& m = move.motion;
      const auto layer = static_cast<std::size_t>(move.layer);
      const DxfEntityHead head{names[layer], colour_texts[layer]};
      const bool moves = m.x != prev_x || m.y != prev_y;
      if (m.g == 1) {
        std::string x = FormatPrinted(m.x), y = FormatPrinted(m.y);
        if (moves) {
          if (!prev_written) {
            prev_x_text = FormatPrinted(prev_x);
            prev_y_text = FormatPrinted(prev_y);
          }
          AppendDxfLine(out, head, prev_x_text, prev_y_text, x, y);
        } else {
          AppendDxfPoint(out, head, x, y);
        }
        prev_x_text = std::move(x);
        prev_y_text = std::move(y);
      } else if (m.g == 2 || m.g == 3) {
        const float cx = prev_x + m.i, cy = prev_y + m.j;
        const auto radius = static_cast<float>(std::sqrt(m.i * m.i + m.j * m.j));
        if (!moves) {
          AppendDxfCircle(out, head, FormatPrinted(cx), FormatPrinted(cy), FormatPrinted(radius));
        } else {
          const ArcDirections directions = ArcDirectionsRadians(m.i, m.j, cx, cy, m.x, m.y);
          const std::string start = FormatPrinted(directions.start * kDegreesPerRadian);
          const std::string finish = FormatPrinted(directions.end * kDegreesPerRadian);
          // DXF draws an arc counter-clockwise: a clockwise move is the arc
          // from its end to its start.
          const bool counter_clockwise = m.g == 3;
          AppendDxfArc(out, head, FormatPrinted(cx), FormatPrinted(cy), FormatPrinted(radius),
                       counter_clockwise ? start : finish, counter_clockwise ? finish : start);
        }
      }
      prev_written = m.g == 1;
      prev_x = m.x;
      prev_y = m.y;
      piece_output.Pass();
    }
  };
  WritePiecesInOrder((count + kMovesPerPiece - 1) / kMovesPerPiece, kMovesPerPiece * kMostPerMove, write, output);
  AppendDxfEnd(output.text);
}

ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourChoice& choose) {
  const GcodeDrawing drawing = ReadGcodeDrawing(gcode);
  if (drawing.moves.empty()) return ConversionResult::NothingToConvert();
  const std::optional<DxfColourOptions> colours = choose(drawing.layers);
  if (!colours) return ConversionResult::Stopped();
  return ConversionResult(WriteGcodeDxf(drawing, *colours));
}

ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourOptions& colours) {
  return GcodeToDxf(gcode, [&colours](const std::vector<std::string>&) { return colours; });
}

ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourOptions& colours, TextOutput& out) {
  const GcodeDrawing drawing = ReadGcodeDrawing(gcode);
  if (drawing.moves.empty()) return ConversionResult::NothingToConvert();
  WriteGcodeDxf(drawing, colours, out);
  return ConversionResult();
}

}  // namespace kovrel
