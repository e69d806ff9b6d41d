// The windows of the text tools that edit the document: HenkanFrm (find
// next and replace all, modeless) and SeiGyoHenkan ("制御文字変換", control
// characters), and the wiring of every text-tool menu item (MnuKensaku,
// MnuHenkan, MnuSeigyo, MnuCv, MnuCvED, MnuFileIs).
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kovrel {

class EditFrm;

/// Connects the text-tool commands to their menu items.
void WireTextToolCommands(EditFrm& frm);

/// The find and replace window. It serves one of the two commands and is
/// opened fresh by each of them, so its boxes start empty.
class HenkanFrm : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { kFind, kReplace };
  HenkanFrm(EditFrm& frm, Mode mode);

  /// Closes an open HenkanFrm of `frm` and opens a fresh one without
  /// blocking the editor, after recording the command's macro step.
  static HenkanFrm* Open(EditFrm& frm, Mode mode);

 private:
  void FindNext();
  void ReplaceEverywhere();

  EditFrm& frm_;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
};

/// The control-character window; it stays open for further commands.
class SeiGyoHenkan : public QDialog {
  Q_OBJECT

 public:
  explicit SeiGyoHenkan(EditFrm& frm);

 private:
  void Replace();
  void Delete();

  EditFrm& frm_;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QComboBox* combo3_ = nullptr;
};

}  // namespace kovrel
