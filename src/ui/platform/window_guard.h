// The one guard of the windows' event handlers: a failure inside a slot or
// an event override is shown as the standard error report (a cancel
// silently) and goes no further, so no exception ever leaves a Qt event
// handler and the program keeps running.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace kovrel {

class Prompter;

/// Runs `body`; anything it throws ends here with the standard error report
/// through `prompter`, in a message box titled `title`.
void Guard(Prompter& prompter, const std::function<void()>& body, const QString& title = QStringLiteral("Kovrel"));

/// Connects `signal` of `sender` to `body`, run inside the guard; the
/// connection lives as long as `context`.
template <typename Sender, typename Signal>
void ConnectGuarded(Sender* sender, Signal signal, QObject* context, Prompter& prompter, std::function<void()> body) {
  QObject::connect(sender, signal, context, [&prompter, body = std::move(body)] { Guard(prompter, body); });
}

}  // namespace kovrel
