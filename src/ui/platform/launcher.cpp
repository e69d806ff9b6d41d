// Process launch with QProcess.
#include "ui/platform/launcher.h"

#include <QProcess>

namespace kovrel {

bool QtLauncher::Open(const QString& path) { return Start("xdg-open", {path}); }

bool QtLauncher::Start(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

}  // namespace kovrel
