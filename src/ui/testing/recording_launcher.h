// A Launcher that records what would be started, for tests and benchmarks.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "ui/platform/launcher.h"

namespace kovrel {

/// Records what would be started; answers `succeed`.
class RecordingLauncher : public Launcher {
 public:
  bool Open(const QString& path) override;
  bool Start(const QString& program, const QStringList& arguments) override;

  bool succeed = true;
  std::vector<QString> opened;
  std::vector<QStringList> started;  ///< program followed by its arguments
};

}  // namespace kovrel
