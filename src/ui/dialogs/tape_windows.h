// The tape code windows: ConvFrm ("コード変換") converts the document or a
// file through a table of the folder CVTBL and delivers the result to the
// editor or to a file; CvFrm ("コードエディタ") shows a table as a 16 x 16
// grid of hexadecimal cells to edit, save under a name, or delete.
#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

#include "core/hand_off.h"
#include "texttools/tape_code.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kovrel {

class EditFrm;
class TextEditor;

/// The work files of the code conversion: the document as it stood when
/// ConvFrm opened, and the converted bytes (kept until the next conversion).
inline constexpr WorkFiles kTapeFiles{"bak.rtf", "bak1.dat", InputLineEnds::kAsTheyStand};

class ConvFrm : public QDialog {
  Q_OBJECT

 public:
  /// The document must already be saved to bak.rtf (the menu command does
  /// that before the window opens).
  explicit ConvFrm(EditFrm& frm);

  /// Closing deletes bak.rtf and bak1.rtf; bak1.dat stays.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ChooseSource(int index);
  void Browse();
  void Convert(const QString& name);
  void ShowOutputPanel();
  void OutputToEditor();
  void OutputToFile();
  std::string WorkFile(std::string_view name) const;

  EditFrm& frm_;
  QListWidget* list1_ = nullptr;
  std::array<QRadioButton*, 2> option1_{};
  QLineEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
  TextEditor* preview_ = nullptr;
  std::array<QPushButton*, 2> command2_{};
  QWidget* picture1_ = nullptr;
  // A conversion has succeeded in this opening: bak1.dat holds its result.
  bool converted_ = false;
};

class CvFrm : public QDialog {
  Q_OBJECT

 public:
  explicit CvFrm(EditFrm& frm);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadTable(const QString& name);
  void SetEditable(bool editable);
  void Save();
  void Delete();
  // Runs a save or delete step; a failure shows "ERrNumbER=" with its number.
  void Reported(const std::function<void()>& step);
  // The table name typed in Combo1, or std::nullopt after saying what is
  // wrong with it.
  std::optional<QString> TypedName();

  EditFrm& frm_;
  QComboBox* combo1_ = nullptr;
  QCheckBox* check1_ = nullptr;
  std::array<QLineEdit*, kTableSize> cells_{};
};

}  // namespace kovrel
