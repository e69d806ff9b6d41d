// HP-GL to G-code: pen moves, arcs and circles of an HP-GL plotter program
// become G-code lines in millimetres (0.025 mm a plotter unit); pen
// selections stay; repeated rapid moves collapse and "M30" ends the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"

namespace kovrel {

ConversionResult HpglToGcode(std::string_view hpgl);

/// The same conversion writing its lines into `out` as it goes.
ConversionResult HpglToGcode(std::string_view hpgl, TextOutput& out);

/// The splitting pass: one HP-GL instruction a line. ESC becomes "E", ";"
/// and ":" two line ends, CR, LF and blanks are dropped.
std::string SplitHpglInstructions(std::string_view hpgl);

/// The same splitting one instruction at a time, without a copy of the
/// whole text: the instruction starting at `pos` (up to the next ";" or
/// ":", with CR, LF and blanks dropped and ESC read as "E"), and `pos`
/// moved past its end. The instruction is a view of `hpgl` when nothing in
/// it is dropped or changed, else of `scratch`. False at the end of `hpgl`.
bool NextHpglInstruction(std::string_view hpgl, std::size_t& pos, std::string& scratch, std::string_view& instruction);

/// The number at the start of `text` as ReadNumber reads it. Plotter
/// coordinates are nearly always short integers ("-1250,"), read here by a
/// few digit steps; any other form goes to ReadNumber.
double ReadPlotterNumber(std::string_view text);
/// The same, and where the first comma of `text` stands (npos: none).
double ReadPlotterNumber(std::string_view text, std::size_t& comma);

/// The finishing pass as the lines come: a rapid move ("G00...") is held
/// and a later rapid move replaces it; any other line writes the held move
/// before itself. The move still held at the end is dropped. Gives what
/// CollapseRapidMoves gives for the whole text (with no line written after
/// a held move).
class RapidMoveHolder {
 public:
  explicit RapidMoveHolder(TextOutput& out) : out_(out) {}
  /// Takes one line (without its line end) from `line`, which it may swap.
  void Line(std::string& line);

 private:
  TextOutput& out_;
  std::string held_;
  bool holding_ = false;
};

}  // namespace kovrel
