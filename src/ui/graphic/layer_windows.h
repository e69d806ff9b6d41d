// The layer windows of the graphic view: LairFrm ("レイヤー", the table of
// layers with their width, colour and ON/OFF, docked at the left of the
// view), InpFrm ("入力ボックス", the one-line input of a width), AptFrm
// ("描画線幅の編集", the table of a width file) and AptLoadFrm
// ("線幅設定ファイルの読み込み", which applies a width file to the layers).
// Width files live in ProgDir/apt/.
#pragma once

#include <QDialog>
#include <QWidget>

#include <string>
#include <vector>

#include "graphic/layer_widths.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kovrel {

class MdiKovrel;
struct EditServices;

/// The folder of the width files, ending in "/".
std::string WidthFolder(const EditServices& services);

/// Shows InpFrm holding `text` and returns its text however it was closed
/// (it is kept in LineBuf too).
QString InpFrm(EditServices& services, QWidget* parent, const QString& text);

class LairFrm : public QWidget {
  Q_OBJECT

 public:
  LairFrm(MdiKovrel& view, EditServices& services, QWidget* parent);
  /// Stores the window's place and its column widths.
  void SaveSettings();
  QTableWidget* grid() const { return grid_; }
  /// Shows the width and colour of layer `layer` as the tables hold them.
  void ShowWidth(int layer);
  void ShowColour(int layer);

 private:
  void Fill();
  void CellClicked(int row, int column);
  void HeaderClicked(int column);
  void ToggleShown(int row);
  void LoadWidths();
  void SaveWidths();

  MdiKovrel& view_;
  EditServices& services_;
  QTableWidget* grid_ = nullptr;
};

class AptFrm : public QDialog {
  Q_OBJECT

 public:
  AptFrm(EditServices& services, QWidget* parent);
  /// Fills the table with these rows.
  void Fill(const std::vector<WidthEntry>& entries);
  /// The rows with a name.
  std::vector<WidthEntry> Entries() const;

 private:
  void ListFiles();
  void FileSelected();
  void CellClicked(int row, int column);
  void Text2Changed(const QString& text);
  void LoadFile();
  void DeleteFile();
  void Save();
  void ShowRow(int row, const WidthEntry& entry);

  EditServices& services_;
  QTableWidget* grid_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QListWidget* file1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command1_[3] = {};
  int edited_row_ = -1, edited_column_ = -1;
};

class AptLoadFrm : public QDialog {
  Q_OBJECT

 public:
  AptLoadFrm(EditServices& services, QWidget* parent);
  /// The entries of the file chosen, once 読み込み was pressed.
  const std::vector<WidthEntry>& entries() const { return entries_; }

 private:
  void Load();

  EditServices& services_;
  QListWidget* file1_ = nullptr;
  QPushButton* command1_[2] = {};
  std::vector<WidthEntry> entries_;
};

}  // namespace kovrel
