// The event-handler guard.
#include "ui/platform/window_guard.h"

#include <QString>

#include <exception>

#include "core/hand_off.h"
#include "ui/platform/prompter.h"

namespace kovrel {

void Guard(Prompter& prompter, const std::function<void()>& body, const QString& title) {
  try {
    body();
  } catch (...) {
    const CommandOutcome outcome = FailureOutcome(std::current_exception());
    if (outcome.message.empty()) return;
    try {
      prompter.Message(QString::fromStdString(outcome.message), Buttons::kOk, Icon::kExclamation, title);
    } catch (...) {
      // Nothing more can be shown; the handler still returns normally.
    }
  }
}

}  // namespace kovrel
