// The wire-cut menu commands, run through the hand-off.
#include "ui/editor/wire_commands.h"

#include "core/edit_module.h"
#include "core/file_io.h"
#include "graphic/figure.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/graphic_view.h"
#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"

namespace kovrel {

void WireWireCutCommands(EditFrm& frm) {
  frm.WireCommand("MnuWirFmt", [&frm] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 18}, [](std::string_view input) { return WireToGcode(input); });
  });
  frm.WireCommand("MnuWcMc", [&frm] {
    frm.RunHandOff(std::nullopt, [](std::string_view input) { return WireToMilling(input); });
  });
  // The program goes to BAK1.DAT and is expanded for the view; the
  // document keeps its text.
  frm.WireCommand("MnuFUNACfmt", [&frm] {
    const WorkFiles files{"BAK1.DAT", "BAK.DAT"};
    if (!frm.BeginHandOff(std::nullopt, files)) return;
    const SubprogramSource subprograms = SubprogramFolder(WorkPath(frm.services().module.ProgDir, kSubprogramFolder));
    bool opened = false;
    const CommandOutcome outcome = frm.FinishExport(
        [&](std::string_view program) -> std::string {
          const WireExpansion expansion = ExpandWireMacro(program, subprograms);
          if (!expansion.stopped.empty()) return expansion.stopped;
          if (expansion.moves == 0) return std::string(kNoMotionMessage);
          if (LoadFigure(frm.figure(), expansion.text) == FigureLoad::kMixed) return std::string(kMixedFigureMessage);
          opened = true;
          return {};
        },
        files);
    if (opened && outcome.kind == CommandOutcome::Kind::kConverted) ShowGraphicView(frm);
  });
}

}  // namespace kovrel
