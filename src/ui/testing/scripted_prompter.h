// A Prompter that answers from a script and records what it was asked, for
// tests and benchmarks. Unscripted message boxes answer OK or Yes;
// unscripted dialogs are cancelled.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "ui/platform/prompter.h"

namespace kovrel {

class ScriptedPrompter : public Prompter {
 public:
  struct Shown {
    QString text;
    Buttons buttons;
    Icon icon;
    QString title;
  };

  int Message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
  std::optional<QString> OpenFileName(const QString& filter, const QString& preset) override;
  std::optional<QString> SaveFileName(const QString& filter, const QString& preset) override;
  /// The name from save_answers, the filter from save_filter_answers (0
  /// when none is scripted).
  std::optional<SaveChoice> SaveFileChoice(const QString& title, const QString& filter, const QString& preset) override;
  std::optional<QFont> ChooseFont(const QFont& preset) override;
  std::optional<QColor> ChooseColor(const QColor& initial) override;
  bool SetUpPrinter(QPrinter& printer) override;
  /// Shows the window without blocking and lets the next dialog script work
  /// its controls; without a script the window is cancelled.
  int RunDialog(QDialog& dialog) override;

  // The script.
  std::deque<std::function<void(QDialog&)>> dialog_scripts;
  std::deque<int> message_answers;
  std::deque<std::optional<QString>> open_answers;
  std::deque<std::optional<QString>> save_answers;
  std::deque<int> save_filter_answers;
  std::deque<std::optional<QFont>> font_answers;
  std::deque<std::optional<QColor>> color_answers;
  std::deque<bool> printer_answers;

  // What was asked.
  std::vector<Shown> messages;
  std::vector<QString> open_presets;
  std::vector<QString> save_presets;
  std::vector<QString> save_titles;   ///< of SaveFileChoice
  std::vector<QString> save_filters;  ///< of SaveFileChoice
  std::vector<QFont> font_presets;
  std::vector<QColor> color_presets;
  int printer_setups = 0;
  std::vector<QString> dialogs;  ///< objectName of each window shown
};

}  // namespace kovrel
