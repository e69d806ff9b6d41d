// The scripted prompter.
#include "ui/testing/scripted_prompter.h"

#include <QDialog>

namespace kovrel {
namespace {

template <typename T>
T Next(std::deque<T>& script, T fallback) {
  if (script.empty()) return fallback;
  T answer = script.front();
  script.pop_front();
  return answer;
}

// The next scripted dialog answer; a cancel when the script is empty.
template <typename T>
std::optional<T> NextDialog(std::deque<std::optional<T>>& script) {
  if (script.empty() || !script.front().has_value()) {
    if (!script.empty()) script.pop_front();
    return std::nullopt;
  }
  T answer = *script.front();
  script.pop_front();
  return answer;
}

}  // namespace

int ScriptedPrompter::Message(const QString& text, Buttons buttons, Icon icon, const QString& title) {
  messages.push_back({text, buttons, icon, title});
  return Next(message_answers, buttons == Buttons::kYesNo ? kResultYes : kResultOk);
}

std::optional<QString> ScriptedPrompter::OpenFileName(const QString&, const QString& preset) {
  open_presets.push_back(preset);
  return NextDialog(open_answers);
}

std::optional<QString> ScriptedPrompter::SaveFileName(const QString&, const QString& preset) {
  save_presets.push_back(preset);
  return NextDialog(save_answers);
}

std::optional<Prompter::SaveChoice> ScriptedPrompter::SaveFileChoice(const QString& title, const QString& filter,
                                                                    const QString& preset) {
  save_titles.push_back(title);
  save_filters.push_back(filter);
  const std::optional<QString> name = SaveFileName(filter, preset);
  const int chosen = Next(save_filter_answers, 0);
  if (!name) return std::nullopt;
  return SaveChoice{*name, chosen};
}

std::optional<QFont> ScriptedPrompter::ChooseFont(const QFont& preset) {
  font_presets.push_back(preset);
  return NextDialog(font_answers);
}

std::optional<QColor> ScriptedPrompter::ChooseColor(const QColor& initial) {
  color_presets.push_back(initial);
  return NextDialog(color_answers);
}

bool ScriptedPrompter::SetUpPrinter(QPrinter&) {
  ++printer_setups;
  return Next(printer_answers, false);
}

int ScriptedPrompter::RunDialog(QDialog& dialog) {
  dialogs.push_back(dialog.objectName());
  if (dialog_scripts.empty()) return QDialog::Rejected;
  auto script = std::move(dialog_scripts.front());
  dialog_scripts.pop_front();
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  script(dialog);
  if (dialog.isVisible()) dialog.reject();
  return dialog.result();
}

}  // namespace kovrel
