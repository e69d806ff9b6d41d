// FileIsFrm ("ファイル比較"): two files side by side, as text or as
// hexadecimal dumps, and the comparison of the two dumps that marks their
// first difference in both panes. It works on copies of the files in
// ProgDir and never touches the document.
#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "texttools/file_compare.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kovrel {

class EditFrm;
class TextEditor;

class FileIsFrm : public QDialog {
  Q_OBJECT

 public:
  explicit FileIsFrm(EditFrm& frm);

 private:
  // Chooses the file of side 0 (source) or 1 (target).
  void Choose(int side);
  void ShowFormat();
  void Compare();
  void LoadPane(int side);
  bool Hexadecimal() const;

  EditFrm& frm_;
  std::array<QLineEdit*, 2> text1_{};
  std::array<TextEditor*, 2> panes_{};
  std::array<QRadioButton*, 2> option1_{};
  QPushButton* command2_ = nullptr;
  // Each side's file; a side changes only when its copy and dump were made.
  std::array<std::optional<ComparedFile>, 2> files_;
};

}  // namespace kovrel
