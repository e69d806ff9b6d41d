// The hourglass over the whole screen while a parameter window converts.
#pragma once

#include <QApplication>

namespace kovrel {

/// Shows the busy pointer for the whole screen while it lives.
class ScreenBusy {
 public:
  ScreenBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~ScreenBusy() { QApplication::restoreOverrideCursor(); }
  ScreenBusy(const ScreenBusy&) = delete;
  ScreenBusy& operator=(const ScreenBusy&) = delete;
};

}  // namespace kovrel
