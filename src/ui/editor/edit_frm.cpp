// The editor window: start-up, exit, side panel, file commands and the
// connection of the hand-off runner to the document.
#include "ui/editor/edit_frm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QPainter>

#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "shell/file_commands.h"
#include "shell/macro_file.h"
#include "ui/dialogs/convert_windows.h"
#include "ui/dialogs/dxf_windows.h"
#include "ui/platform/fonts.h"
#include "ui/graphic/graphic_view.h"
#include "ui/dialogs/hole_windows.h"
#include "ui/dialogs/text_windows.h"
#include "ui/platform/prompter.h"
#include "ui/editor/shell_windows.h"
#include "ui/editor/text_editor.h"
#include "ui/editor/wire_commands.h"
#include "ui/platform/text_printing.h"
#include "ui/platform/twips.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

int Px(double twips) { return TwipsToPixels(twips); }
double Twips(int pixels) { return PixelsToTwips(pixels); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The document of the hand-off: the editor's text.
class EditorDocument : public DocumentPort {
 public:
  explicit EditorDocument(TextEditor* editor) : editor_(editor) {}
  std::string Text() const override { return editor_->DocumentText(); }
  void Load(std::string text) override { editor_->LoadText(text); }
  void SetBusy(bool busy) override { editor_->SetBusy(busy); }

 private:
  TextEditor* editor_;
};

// The small arrow picture that opens the side panel again.
QPixmap ExpandArrow() {
  QPixmap pixmap(8, 64);
  pixmap.fill(QColor(0xd4, 0xd0, 0xc8));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0x40, 0x40, 0x40));
  painter.setPen(Qt::NoPen);
  const QPointF arrow[] = {{6, 24}, {6, 40}, {1, 32}};
  painter.drawPolygon(arrow, 3);
  return pixmap;
}

}  // namespace

EditFrm::EditFrm(EditServices services, QWidget* parent) : QMainWindow(parent), services_(services) {
  RegisterJapaneseFontSubstitutes();
  setObjectName("EditFrm");
  setWindowTitle("エディタ");
  setAcceptDrops(false);
  services_.prompter.SetParentWidget(this);
  printer_.setOutputFormat(QPrinter::NativeFormat);

  central_ = new QWidget(this);
  central_->setObjectName("EditFrmClient");
  setCentralWidget(central_);
  editor_ = new TextEditor(central_);
  document_ = std::make_unique<EditorDocument>(editor_);
  connect(editor_, &TextEditor::FileDropped, this, &EditFrm::OpenDroppedFile);
  BuildSidePanel();

  auto* status = statusBar();
  status->setObjectName("StatusBar1");
  status->setSizeGripEnabled(true);
  panel1_ = new QLabel(status);
  panel1_->setObjectName("Panel1");
  panel1_->setMinimumWidth(200);
  panel2_ = new QLabel(status);
  panel2_->setObjectName("Panel2");
  status->addWidget(panel1_, 3);
  status->addWidget(panel2_, 1);

  BuildMenus();
  ConnectFileCommands();
  WireHoleCommands(*this);
  WireConvertCommands(*this);
  WireDxfCommands(*this);
  WireGraphicCommands(*this);
  WireShellCommands(*this);
  WireTextToolCommands(*this);
  WireWireCutCommands(*this);
  central_->installEventFilter(this);
  editor_->SetDocumentFont(ToQFont(EditorFont{}));
}

EditFrm::~EditFrm() = default;

void EditFrm::BuildSidePanel() {
  picture1_ = new QWidget(central_);
  picture1_->setObjectName("Picture1");
  picture1_->setAutoFillBackground(true);
  for (int i = 0; i < 6; ++i) {
    auto* image = new QLabel(picture1_);
    image->setObjectName(QString("Image1(%1)").arg(i));
    image->setScaledContents(true);
    image->setFrameShape(QFrame::NoFrame);
    image1_[static_cast<std::size_t>(i)] = image;
  }
  command1_ = new QPushButton(central_);
  command1_->setObjectName("Command1");
  command1_->setText("›");
  command1_->setToolTip("サイドパネルを閉じる");
  command1_->resize(8, 64);
  connect(command1_, &QPushButton::clicked, this, &EditFrm::CollapseSidePanel);
  image2_ = new QLabel(central_);
  image2_->setObjectName("Image2");
  image2_->setPixmap(ExpandArrow());
  image2_->resize(8, 64);
  image2_->setToolTip("サイドパネルを開く");
  image2_->setCursor(Qt::PointingHandCursor);
  image2_->installEventFilter(this);
  picture1_->hide();
  command1_->hide();
}

void EditFrm::ConnectFileCommands() {
  // Each runs inside the guard, as every command does.
  WireCommand("MnuLoad", [this] { LoadCommand(); });
  WireCommand("MnuTuikaLoad", [this] { AppendLoadCommand(); });
  WireCommand("MnuSave", [this] { SaveCommand(3, LineEnd::kCrLf); });
  WireCommand("MnuCRsave", [this] { SaveCommand(4, LineEnd::kCr); });
  WireCommand("MnuLFsave", [this] { SaveCommand(5, LineEnd::kLf); });
  WireCommand("MnuPrintSet", [this] { PrinterSetupCommand(); });
  WireCommand("MnuPrint", [this] { PrintCommand(); });
  WireCommand("MnuCrear", [this] { ClearCommand(); });
  WireCommand("MnuFont", [this] { FontCommand(); });
  WireCommand("MnuEnd", [this] { close(); });
}

// ---------------------------------------------------------------- start-up

void EditFrm::StartUp(const std::vector<std::string>& args) {
  EditModule& module = services_.module;
  SettingsStore& store = services_.settings;
  const StartupSettings settings = ReadStartupSettings(store, module);
  browser_path_ = Q(settings.browser);
  for (int i = 0; i < 10; ++i) {
    const std::string& title = module.AppList[static_cast<std::size_t>(i)][0];
    if (title.empty()) continue;
    app_items_[static_cast<std::size_t>(i)]->setText(Q(title));
    app_items_[static_cast<std::size_t>(i)]->setVisible(true);
    app_items_[static_cast<std::size_t>(i)]->setEnabled(true);
  }
  // Left and Top place the window's frame; Width and Height size it.
  resize(std::max(Px(settings.geometry.width), 1), std::max(Px(settings.geometry.height), 1));
  move(Px(settings.geometry.left), Px(settings.geometry.top));
  SaveSetting(store, kShellSection, "Apldir", module.ProgDir);
  MenuItem("MnuRead")->setVisible(settings.help_visible);
  editor_->SetDocumentFont(ToQFont(settings.font));
  MenuItem("MnuRunMacro")->setEnabled(settings.macro_enabled);
  module.MacroCount = -1;

  // From here on a failing step is skipped and the start-up goes on.
  const auto step = [](const std::function<void()>& body) {
    try {
      body();
    } catch (const std::exception&) {
    }
  };
  step([&] {
    if (!settings.user.empty()) graphic_title_ = Q(GraphicWindowTitle(settings.user));
  });
  module.IconCount = settings.icon_count;
  const std::string path = CommandLinePath(args);
  if (!path.empty()) {
    step([&] {
      panel1_->setText(Q(path));
      try {
        editor_->LoadText(LoadTextFile(path));
      } catch (const Failure&) {
        // A missing file leaves the editor empty; the path still goes to
        // the status bar and the recent list.
      }
      LoadFilSub(Q(path));
    });
  }
  step([&] {
    recent_ = ReadRecentFiles(store);
    ShowRecentFiles();
  });
  step([&] { LoadSidePictures(); });
  macro_menu_->menuAction()->setVisible(false);
}

void EditFrm::LoadSidePictures() {
  for (int i = 0; i < 6; ++i) {
    const std::string path = WorkPath(services_.module.ProgDir, "KV00" + std::to_string(i + 1) + ".JPG");
    QPixmap picture;
    if (FileExists(path)) picture.load(Q(path));
    image1_[static_cast<std::size_t>(i)]->setPixmap(picture);
  }
}

void EditFrm::SetGraphicTitle(const QString& title) {
  graphic_title_ = title;
  if (graphic_window_) graphic_window_->setWindowTitle(title);
}

void EditFrm::ShowAppItems(const AppList& apps) {
  for (int i = 0; i < kAppCount; ++i) {
    QAction* item = app_items_[static_cast<std::size_t>(i)];
    const std::string& title = apps[static_cast<std::size_t>(i)].title;
    item->setText(Q(title));
    item->setVisible(!title.empty());
    item->setEnabled(!title.empty());
  }
}

void EditFrm::RunMacroStep(int item) {
  const auto command = MacroCommandOf(item);
  if (!command) return;
  QAction* action = MenuItem(QString::fromUtf8(command->menu.data(), static_cast<qsizetype>(command->menu.size())));
  if (action == nullptr || !action->isEnabled()) return;
  action->trigger();
  if (graphic_window_ && graphic_window_->isVisible()) {
    // The next step runs on the document the view hands back.
    QEventLoop wait;
    connect(graphic_window_, &QObject::destroyed, &wait, &QEventLoop::quit);
    wait.exec();
  }
}

void EditFrm::ShowRecentFiles() {
  for (int k = 0; k < kRecentCount; ++k) {
    const std::string& path = recent_[static_cast<std::size_t>(k)];
    if (path.empty()) continue;
    recent_items_[static_cast<std::size_t>(k)]->setText(Q(RecentCaption(k, path)));
    recent_items_[static_cast<std::size_t>(k)]->setVisible(true);
    if (k == 0) recent_separator_->setVisible(true);
  }
}

void EditFrm::LoadFilSub(const QString& path) {
  RememberFile(path);
  const std::string file = path.toStdString();
  panel1_->setText(Q(BareFileName(file)));
  recent_ = UpdateRecentFiles(services_.settings, recent_, file);
  ShowRecentFiles();
}

// -------------------------------------------------------------------- exit

void EditFrm::closeEvent(QCloseEvent* event) {
  SaveBoolSetting(services_.settings, kShellSection, "Help", MenuItem("MnuRead")->isVisible());
  if (services_.prompter.Message("Kovrelを終了しますか", Buttons::kYesNo, Icon::kQuestion) != kResultYes) {
    event->ignore();
    return;
  }
  // The normal (restored) position and size, also when maximised.
  const bool restored = !(isMaximized() || isMinimized() || isFullScreen());
  const QRect normal = restored ? geometry() : normalGeometry();
  const QPoint frame = restored ? pos() : normal.topLeft() - (geometry().topLeft() - pos());
  SaveExitGeometry(services_.settings,
                   TwipsGeometry{Twips(frame.x()), Twips(frame.y()), Twips(normal.width()), Twips(normal.height())},
                   services_.module.IconCount);
  // Every other window of the program closes too, the most recent first.
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (*it != this && (*it)->isWindow()) (*it)->close();
  }
  event->accept();
}

// -------------------------------------------------------------- side panel

bool EditFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) {
    CollapseSidePanel();
  } else if (watched == image2_ && event->type() == QEvent::MouseButtonRelease) {
    ExpandSidePanel();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void EditFrm::CollapseSidePanel() {
  const int width = central_->width();
  const int height = central_->height();
  const int editor_width = width - Px(130);
  if (editor_width <= 0 || height <= 0) return;  // too small: keep the layout
  editor_->setGeometry(0, 0, editor_width, height);
  picture1_->hide();
  command1_->hide();
  image2_->move(editor_width + Px(20) > width - image2_->width() ? width - image2_->width() : editor_width + Px(20),
                height / 2 - image2_->height() / 2);
  image2_->show();
  side_panel_shown_ = false;
}

void EditFrm::ExpandSidePanel() {
  const int width = central_->width();
  const int height = central_->height();
  const int editor_width = width - Px(2600);
  if (editor_width <= 0 || height <= 0) return;
  image2_->hide();
  editor_->setGeometry(0, 0, editor_width, height);
  picture1_->setGeometry(width - Px(2475), 0, Px(2475), height);
  picture1_->show();
  for (int i = 0; i < 6; ++i) {
    image1_[static_cast<std::size_t>(i)]->setGeometry(Px(60), Px((1755 + 45) * i + 60), Px(2340), Px(1755));
  }
  command1_->move(editor_width, height / 2 - command1_->height() / 2);
  command1_->show();
  side_panel_shown_ = true;
}

bool EditFrm::SidePanelShown() const { return side_panel_shown_; }

// ------------------------------------------------------------ the hand-off

CommandOutcome EditFrm::RunHandOff(std::optional<MacroStepRef> step, const Conversion& conversion, WorkFiles files) {
  HandOffRunner runner(services_.module, *document_, files);
  const CommandOutcome outcome = runner.Run(step, conversion);
  ShowOutcome(outcome);
  return outcome;
}

bool EditFrm::BeginHandOff(std::optional<MacroStepRef> step, WorkFiles files) {
  HandOffRunner runner(services_.module, *document_, files);
  if (auto failed = runner.Begin(step)) {
    ShowOutcome(*failed);
    return false;
  }
  return true;
}

CommandOutcome EditFrm::FinishHandOff(const Conversion& conversion, WorkFiles files, bool show) {
  HandOffRunner runner(services_.module, *document_, files);
  const CommandOutcome outcome = runner.Finish(conversion);
  if (show) ShowOutcome(outcome);
  return outcome;
}

CommandOutcome EditFrm::FinishExport(const std::function<std::string(std::string_view)>& action, WorkFiles files) {
  HandOffRunner runner(services_.module, *document_, files);
  const CommandOutcome outcome = runner.FinishWithoutResult(action);
  ShowOutcome(outcome);
  return outcome;
}

void EditFrm::ShowOutcome(const CommandOutcome& outcome) {
  if (outcome.message.empty()) return;
  const Icon icon = outcome.kind == CommandOutcome::Kind::kFailed ? Icon::kExclamation : Icon::kNone;
  services_.prompter.Message(Q(outcome.message), Buttons::kOk, icon);
}

void EditFrm::Guarded(const std::function<void()>& body, bool busy) {
  std::exception_ptr error;
  if (busy) editor_->SetBusy(true);
  try {
    body();
  } catch (...) {
    error = std::current_exception();
  }
  if (busy) editor_->SetBusy(false);
  if (error) Guard(services_.prompter, [&error] { std::rethrow_exception(error); });
}

// ----------------------------------------------------------- file commands

QString EditFrm::PanelText(int panel) const { return panel == 1 ? panel1_->text() : panel2_->text(); }

void EditFrm::OpenFile(const QString& path) {
  editor_->LoadText(LoadTextFile(path.toStdString()));
  panel1_->setText(path);
  LoadFilSub(path);
}

QString EditFrm::DialogFolder() const {
  QString folder = last_folder_;
  if (folder.isEmpty() && !recent_[0].empty()) folder = QFileInfo(Q(recent_[0])).absolutePath();
  return folder.isEmpty() || folder.endsWith('/') ? folder : folder + '/';
}

void EditFrm::RememberFile(const QString& path) {
  document_path_ = QFileInfo(path).absoluteFilePath();
  last_folder_ = QFileInfo(path).absolutePath();
}

void EditFrm::LoadCommand() {
  RecordStep(services_.module, kEditMenu, 1);
  const auto path = services_.prompter.OpenFileName(kAllFilesFilter, DialogFolder());
  if (!path) return;
  Guarded([&] { OpenFile(*path); });
}

void EditFrm::AppendLoadCommand() {
  RecordStep(services_.module, kEditMenu, 2);
  const auto path = services_.prompter.OpenFileName(kAllFilesFilter, DialogFolder());
  if (!path) return;
  Guarded([&] {
    editor_->LoadText(AppendTextFile(services_.module, editor_->DocumentText(), path->toStdString()));
    panel1_->setText(*path);
    LoadFilSub(*path);
  });
}

void EditFrm::SaveCommand(int step, LineEnd end) {
  RecordStep(services_.module, kEditMenu, step);
  // The file the document came from, with its folder; after a clear, the
  // folder alone.
  const QString preset = document_path_.isEmpty() ? DialogFolder() : document_path_;
  const auto path = services_.prompter.SaveFileName(kAllFilesFilter, preset);
  if (!path || path->isEmpty()) return;
  Guarded([&] {
    SaveTextFile(services_.module, editor_->DocumentText(), path->toStdString(), end);
    RememberFile(*path);
  });
}

void EditFrm::PrinterSetupCommand() {
  RecordStep(services_.module, kEditMenu, 6);
  Guarded([&] { services_.prompter.SetUpPrinter(printer_); }, false);
}

void EditFrm::PrintCommand() {
  RecordStep(services_.module, kEditMenu, 7);
  const QFont font = ToQFont(ReadPrintFont(services_.settings));
  bool asked = false;
  if (!HasPrintTarget(printer_)) {
    // No printer on this machine: the text goes to a PDF file.
    const QString base = document_path_.isEmpty() ? QString("kovrel") : QFileInfo(document_path_).completeBaseName();
    const auto pdf = services_.prompter.SaveFileName("PDF ファイル(*.pdf)|*.pdf", DialogFolder() + base + ".pdf");
    if (!pdf || pdf->isEmpty()) return;
    PrintToPdf(printer_, *pdf);
    asked = true;
  }
  Guarded([&] { PrintText(printer_, QString::fromStdString(editor_->DocumentText()), font); });
  // The next print asks for its own file rather than writing over this one.
  if (asked) printer_.setOutputFileName(QString());
}

void EditFrm::ClearCommand() {
  RecordStep(services_.module, kEditMenu, 8);
  if (services_.prompter.Message("データを消去してよいですか", Buttons::kYesNo, Icon::kQuestion) == kResultNo) return;
  editor_->LoadText("");
  panel1_->clear();
  panel2_->clear();
  document_path_.clear();
}

void EditFrm::FontCommand() {
  RecordStep(services_.module, kEditMenu, 15);
  // The dialog lists installed families: it is shown the font that draws
  // the setting's name ("ＭＳ 明朝" is drawn by its IPA substitute), and that
  // family chosen again keeps the setting's own name.
  const QFont preset = ToQFont(ReadPrintFont(services_.settings));
  QFont shown = preset;
  shown.setFamily(QFontInfo(preset).family());
  auto font = services_.prompter.ChooseFont(shown);
  if (!font) return;
  if (font->family() == shown.family()) font->setFamily(preset.family());
  editor_->SetDocumentFont(*font);
  SaveEditorFont(services_.settings, FromQFont(*font));
}

void EditFrm::OpenRecentCommand(int index) {
  const QString path = Q(recent_[static_cast<std::size_t>(index)]);
  try {
    editor_->LoadText(LoadTextFile(path.toStdString()));
  } catch (const std::exception&) {
    services_.prompter.Message("読み込み出来ませんでした。", Buttons::kOk, Icon::kNone);
    return;
  }
  LoadFilSub(path);
}

void EditFrm::OpenDroppedFile(const QString& path) {
  Guarded([&] { OpenFile(path); });
}

}  // namespace kovrel
