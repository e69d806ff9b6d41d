// The editor's wire-cut commands: ワイヤーカットデータ (MnuWirFmt), ワイヤー
// FUNAC (MnuFUNACfmt: the expanded program shown in the graphic view) and
// ワイヤーをミーリングへ (MnuWcMc).
#pragma once

namespace kovrel {

class EditFrm;

/// Connects MnuWirFmt, MnuFUNACfmt and MnuWcMc of the editor.
void WireWireCutCommands(EditFrm& frm);

}  // namespace kovrel
