// The shell's own windows: AppSetFrm ("外部アプリケーションの設定", the ten
// external applications), HlpFrm (the read-me) and frmAbout (the version
// and the user name), and the wiring of the Apps, Macro and Help menus.
#pragma once

#include <QDialog>

#include "shell/external_apps.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kovrel {

class EditFrm;

/// Connects MnuApp(0-9), MnuAppSet, MnuTavrin, MnuWWW, MnuLinkKovrel,
/// MnuSetMacro, MnuRunMacro, MnuRead and MnuVer.
void WireShellCommands(EditFrm& frm);

class AppSetFrm : public QDialog {
  Q_OBJECT

 public:
  explicit AppSetFrm(EditFrm& frm);
  /// However the window closes, the editor's MnuApp items name the
  /// programs they start.
  void done(int result) override;

 private:
  void Add();
  void Delete();

  EditFrm& frm_;
  AppList apps_;
  QListWidget* list1_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
};

class HlpFrm : public QDialog {
  Q_OBJECT

 public:
  explicit HlpFrm(EditFrm& frm);
  /// Saves the read-me to readme.txt in the data folder as it closes.
  void done(int result) override;

 private:
  EditFrm& frm_;
  QPlainTextEdit* text_ = nullptr;
};

class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit FrmAbout(EditFrm& frm);
  /// Keeps the user name (UsER) and shows it in the graphic window's title.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditFrm& frm_;
  QLabel* picture1_ = nullptr;
  QLineEdit* text1_ = nullptr;
};

}  // namespace kovrel
