// kovrel: the desktop program. Prepares the per-user folders, then opens the
// editor window on the file named on the command line, if any.
#include <QApplication>
#include <QMessageBox>

#include <string>
#include <vector>

#include "core/data_folder.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "ui/editor/edit_frm.h"
#include "ui/platform/launcher.h"
#include "ui/platform/qt_prompter.h"
#include "ui/platform/qt_settings_store.h"
#include "ui/platform/translation.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Brellix");
  QApplication::setApplicationName("Kovrel");
  QApplication::setWindowIcon(QIcon(":/kovrel.png"));
  kovrel::InstallJapaneseTranslation();

  kovrel::EditModule module;
  try {
    kovrel::PrepareFolders(module, kovrel::ProcessEnvironment(), QCoreApplication::applicationDirPath().toStdString());
  } catch (const kovrel::Failure& failure) {
    QMessageBox::critical(nullptr, "Kovrel", QString::fromStdString(kovrel::ErrorReportText(failure)));
    return 1;
  }
  kovrel::QtSettingsStore settings;
  kovrel::QtPrompter prompter;
  kovrel::QtLauncher launcher;
  kovrel::EditFrm editor({module, settings, prompter, launcher});
  std::vector<std::string> args;
  for (const QString& arg : QCoreApplication::arguments().mid(1)) args.push_back(arg.toStdString());
  editor.StartUp(args);
  editor.show();
  return QApplication::exec();
}
