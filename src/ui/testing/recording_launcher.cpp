// The recording launcher.
#include "ui/testing/recording_launcher.h"

namespace kovrel {

bool RecordingLauncher::Open(const QString& path) {
  opened.push_back(path);
  return succeed;
}

bool RecordingLauncher::Start(const QString& program, const QStringList& arguments) {
  started.push_back(QStringList{program} + arguments);
  return succeed;
}

}  // namespace kovrel
