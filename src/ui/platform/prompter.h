// Everything the windows ask the user through: message boxes (title
// "Kovrel", result codes 1 OK, 2 Cancel, 6 Yes, 7 No), file dialogs, the
// font dialog, the printer set-up dialog and the program's own modal
// parameter windows. The desktop program shows real
// dialogs (QtPrompter); tests script the answers (ScriptedPrompter).
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kovrel {

enum class Buttons { kOk, kOkCancel, kYesNo };
enum class Icon { kNone, kInformation, kQuestion, kExclamation, kCritical };

inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

inline const QString kAppTitle = QStringLiteral("Kovrel");
/// The filter of the editor's file dialogs.
inline const QString kAllFilesFilter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");

class Prompter {
 public:
  virtual ~Prompter() = default;

  /// Shows a message box; returns its result code.
  virtual int Message(const QString& text, Buttons buttons, Icon icon, const QString& title = kAppTitle) = 0;

  /// A file to open; std::nullopt when cancelled. `filter` is in the
  /// "description|pattern|description|pattern" form.
  virtual std::optional<QString> OpenFileName(const QString& filter, const QString& preset) = 0;

  /// A file to save to; std::nullopt when cancelled.
  virtual std::optional<QString> SaveFileName(const QString& filter, const QString& preset) = 0;

  /// A file to save to and the filter chosen for it (its index in `filter`,
  /// the first being the default), in a dialog titled `title`;
  /// std::nullopt when cancelled.
  struct SaveChoice {
    QString name;
    int filter = 0;
  };
  virtual std::optional<SaveChoice> SaveFileChoice(const QString& title, const QString& filter,
                                                   const QString& preset) = 0;

  /// A font; std::nullopt when cancelled.
  virtual std::optional<QFont> ChooseFont(const QFont& preset) = 0;

  /// A colour, starting from `initial`; std::nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;

  /// The printer set-up dialog on `printer`; false when cancelled.
  virtual bool SetUpPrinter(QPrinter& printer) = 0;

  /// Shows one of the program's own windows modally; returns its result
  /// (QDialog::Accepted or Rejected).
  virtual int RunDialog(QDialog& dialog) = 0;

  /// The parent of the dialogs shown.
  void SetParentWidget(QWidget* parent) { parent_ = parent; }

 protected:
  QWidget* parent_ = nullptr;
};

/// "desc|*.nc|desc|*.*" as a Qt name filter list ("desc (*.nc);;desc (*)").
QString QtNameFilters(const QString& filter);

}  // namespace kovrel
