// The real dialogs of the desktop program.
#pragma once

#include "ui/platform/prompter.h"

namespace kovrel {

class QtPrompter : public Prompter {
 public:
  int Message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
  std::optional<QString> OpenFileName(const QString& filter, const QString& preset) override;
  std::optional<QString> SaveFileName(const QString& filter, const QString& preset) override;
  std::optional<SaveChoice> SaveFileChoice(const QString& title, const QString& filter, const QString& preset) override;
  std::optional<QFont> ChooseFont(const QFont& preset) override;
  std::optional<QColor> ChooseColor(const QColor& initial) override;
  bool SetUpPrinter(QPrinter& printer) override;
  int RunDialog(QDialog& dialog) override;
};

}  // namespace kovrel
