// Starting other programs: opening a file with the desktop's program for
// it (xdg-open), or running a program with arguments. The desktop program
// starts real processes (QtLauncher); tests record the requests
// (RecordingLauncher of the test support).
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kovrel {

class Launcher {
 public:
  virtual ~Launcher() = default;
  /// Opens `path` with the desktop's program for its kind; false when no
  /// program could be started.
  virtual bool Open(const QString& path) = 0;
  /// Starts `program` with `arguments` without waiting for it.
  virtual bool Start(const QString& program, const QStringList& arguments) = 0;
};

class QtLauncher : public Launcher {
 public:
  bool Open(const QString& path) override;
  bool Start(const QString& program, const QStringList& arguments) override;
};

}  // namespace kovrel
