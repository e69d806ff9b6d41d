// Process launch with QProcess.
#include "ui/launcher.h"

#include <QProcess>

namespace kovrel {

bool QtLauncher::Open(const QString& path) { return Start("xdg-open", {path}); }

bool QtLauncher::Start(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

bool RecordingLauncher::Open(const QString& path) {
  opened.push_back(path);
  return succeed;
}

bool RecordingLauncher::Start(const QString& program, const QStringList& arguments) {
  started.push_back(QStringList{program} + arguments);
  return succeed;
}

}  // namespace kovrel
