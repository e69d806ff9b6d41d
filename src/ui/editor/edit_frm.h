// EditFrm: the editor window, the program's main window. It holds the one
// document (RichTextBox1), the status bar, the side panel of pictures and
// the whole menu bar; it runs the start-up and exit of the program, the file
// commands, and every document command through the hand-off runner.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/hand_off.h"
#include "graphic/figure.h"
#include "shell/external_apps.h"
#include "shell/file_commands.h"
#include "shell/recent_files.h"
#include "shell/startup.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace kovrel {

class Launcher;
class Prompter;
class SettingsStore;
class TextEditor;
struct EditModule;

/// What the window needs of the program: the shared state and the platform
/// services.
struct EditServices {
  EditModule& module;
  SettingsStore& settings;
  Prompter& prompter;
  Launcher& launcher;
};

class EditFrm : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditFrm(EditServices services, QWidget* parent = nullptr);
  ~EditFrm() override;

  /// The start-up: restores geometry, font and menus from the settings and
  /// opens the file named by `args` (the command line without the program).
  void StartUp(const std::vector<std::string>& args);

  /// Runs a document command through the work files and shows its outcome
  /// (the command's message, the nothing-to-convert message, or the
  /// standard error report).
  CommandOutcome RunHandOff(std::optional<MacroStepRef> step, const Conversion& conversion, WorkFiles files = {});

  /// The two halves for a command with a parameter window: Begin saves the
  /// document before the window opens (false: the save failed and was
  /// reported); Finish is run by the window's run button.
  bool BeginHandOff(std::optional<MacroStepRef> step, WorkFiles files = {});
  CommandOutcome FinishHandOff(const Conversion& conversion, WorkFiles files = {}, bool show = true);

  /// The second half for a command that leaves the document unchanged (an
  /// export): runs `action` on the saved document and shows the outcome.
  CommandOutcome FinishExport(const std::function<std::string(std::string_view)>& action);


  /// Shows a command's outcome to the user.
  void ShowOutcome(const CommandOutcome& outcome);

  /// The menu item `name` (its objectName), or nullptr.
  QAction* MenuItem(const QString& name) const;

  /// Connects a later command to its menu item and enables the item.
  void WireCommand(const QString& name, std::function<void()> command);

  /// Opens `path` as the document (the load after the file dialog).
  void OpenFile(const QString& path);

  TextEditor* editor() const { return editor_; }
  QString PanelText(int panel) const;
  const RecentFiles& recent_files() const { return recent_; }
  /// The title the graphic window takes when it opens.
  QString GraphicTitle() const { return graphic_title_; }
  /// Sets the graphic window's title, also of the window open now.
  void SetGraphicTitle(const QString& title);
  QString BrowserPath() const { return browser_path_; }
  void SetBrowserPath(const QString& path) { browser_path_ = path; }

  /// The external-application items MnuApp(0) to MnuApp(9): each row's
  /// title as the caption, shown when the title is not empty (item 0 too).
  void ShowAppItems(const AppList& apps);

  /// Runs the editor command of an operation-macro step as if the user had
  /// chosen its menu item, to its end: a graphic view it opens is waited
  /// for until it closes. Numbers without a command do nothing.
  void RunMacroStep(int item);
  bool SidePanelShown() const;

  EditServices& services() { return services_; }

  /// The figure tables of the graphic view; they live as long as the program.
  FigureTables& figure() { return figure_; }
  /// The open graphic window, or nullptr.
  QMainWindow* GraphicWindow() const { return graphic_window_; }
  void SetGraphicWindow(QMainWindow* window) { graphic_window_ = window; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildSidePanel();
  void ConnectFileCommands();

  // The recent-file update after a file was opened.
  void LoadFilSub(const QString& path);
  void ShowRecentFiles();
  void LoadSidePictures();

  // Where the file dialogs start: the last folder used (at first the
  // folder of the most recent file), ending in "/"; empty when none.
  QString DialogFolder() const;
  // The file the document now comes from, and its folder for the dialogs.
  void RememberFile(const QString& path);

  // Side panel layout.
  void CollapseSidePanel();
  void ExpandSidePanel();

  // File commands.
  void LoadCommand();
  void AppendLoadCommand();
  void SaveCommand(int step, LineEnd end);
  void PrinterSetupCommand();
  void PrintCommand();
  void ClearCommand();
  void FontCommand();
  void OpenRecentCommand(int index);
  void OpenDroppedFile(const QString& path);

  // Runs `body`, turning a failure into the standard error report; the
  // busy pointer is shown while it runs when `busy` is set.
  void Guarded(const std::function<void()>& body, bool busy = true);

  EditServices services_;
  std::unique_ptr<DocumentPort> document_;
  TextEditor* editor_ = nullptr;
  QWidget* central_ = nullptr;
  QWidget* picture1_ = nullptr;
  std::array<QLabel*, 6> image1_{};
  QPushButton* command1_ = nullptr;
  QLabel* image2_ = nullptr;
  QLabel* panel1_ = nullptr;
  QLabel* panel2_ = nullptr;
  QMenu* macro_menu_ = nullptr;
  std::array<QAction*, 10> app_items_{};
  std::array<QAction*, kRecentCount> recent_items_{};
  QAction* recent_separator_ = nullptr;
  RecentFiles recent_;
  QString browser_path_;
  QString document_path_;  // the document's file, proposed by the saves
  QString last_folder_;
  QString graphic_title_ = QStringLiteral("Kovrel");
  QPrinter printer_;
  FigureTables figure_;
  QPointer<QMainWindow> graphic_window_;
  bool side_panel_shown_ = false;
};

}  // namespace kovrel
