// Message boxes and dialogs with Qt Widgets.
#include "ui/platform/qt_prompter.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace kovrel {

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // Every file here is "*" (a name need not have a dot); the pattern is
    // shown once, in the description's own brackets when it has them.
    QString pattern = parts[i + 1];
    pattern.replace("*.*", "*").replace(';', ' ');
    QString description = parts[i].trimmed();
    const qsizetype open = description.lastIndexOf('(');
    if (open > 0 && description.endsWith(')')) description = description.left(open).trimmed();
    filters << description + "(" + pattern + ")";
  }
  return filters.join(";;");
}

int QtPrompter::Message(const QString& text, Buttons buttons, Icon icon, const QString& title) {
  QMessageBox box(parent_);
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
    case Icon::kNone: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::kInformation: box.setIcon(QMessageBox::Information); break;
    case Icon::kQuestion: box.setIcon(QMessageBox::Question); break;
    case Icon::kExclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::kCritical: box.setIcon(QMessageBox::Critical); break;
  }
  switch (buttons) {
    case Buttons::kOk: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::kOkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::kYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
  }
  if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText("はい(&Y)");
  if (QAbstractButton* no = box.button(QMessageBox::No)) no->setText("いいえ(&N)");
  if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) cancel->setText("キャンセル");
  switch (box.exec()) {
    case QMessageBox::Yes: return kResultYes;
    case QMessageBox::No: return kResultNo;
    case QMessageBox::Cancel: return kResultCancel;
    default: return buttons == Buttons::kYesNo ? kResultNo : (buttons == Buttons::kOkCancel ? kResultCancel : kResultOk);
  }
}

std::optional<QString> QtPrompter::OpenFileName(const QString& filter, const QString& preset) {
  const QString name = QFileDialog::getOpenFileName(parent_, "ファイルを開く", preset, QtNameFilters(filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtPrompter::SaveFileName(const QString& filter, const QString& preset) {
  const QString name = QFileDialog::getSaveFileName(parent_, "名前を付けて保存", preset, QtNameFilters(filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QFont> QtPrompter::ChooseFont(const QFont& preset) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, preset, parent_, "フォント");
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> QtPrompter::ChooseColor(const QColor& initial) {
  const QColor colour = QColorDialog::getColor(initial, parent_, "色の設定");
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

bool QtPrompter::SetUpPrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  dialog.setWindowTitle("プリンターの設定");
  return dialog.exec() == QDialog::Accepted;
}

int QtPrompter::RunDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace kovrel
