// AppSetFrm, HlpFrm, frmAbout and the Apps, Macro and Help menu commands.
#include "ui/editor/shell_windows.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "core/text_reader.h"
#include "shell/about.h"
#include "shell/macro_file.h"
#include "shell/recent_files.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/launcher.h"
#include "ui/platform/prompter.h"
#include "ui/platform/twips.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Programs here have no ".EXE": every file is offered first.
const QString kProgramFilter = QStringLiteral("全て(*.*)|*.*|ｱﾌﾟﾘｹｰｼｮﾝ(*.EXE)|*.EXE");

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// The document as Shift-JIS bytes, also left in ProgDir as BAK1.DAT for the
// program that gets it.
std::string SavedDocument(EditFrm& frm) {
  std::string bytes = frm.editor()->DocumentText();
  EncodeCp932InPlace(bytes);
  WriteFileBytes(WorkPath(frm.services().module.ProgDir, "BAK1.DAT"), bytes);
  return bytes;
}

// Starts `program` with the file as its one argument; false when it could
// not be started.
bool StartWith(EditFrm& frm, const std::string& program, const std::string& file) {
  return !program.empty() && frm.services().launcher.Start(Q(program), {Q(file)});
}

void ConnectFailed(EditFrm& frm, std::string_view program) {
  frm.services().prompter.Message(Q(program) + "へ接続出来ませんでした", Buttons::kOk, Icon::kNone);
}

// MnuApp(i): the document goes to the export folder as BAK.DAT (or BAK.DXF
// for a drawing) and the program is started with that file's path.
void LaunchApp(EditFrm& frm, int index) {
  RecordStep(frm.services().module, kEditMenu, 34 + index);
  EditModule& module = frm.services().module;
  const std::string program = module.AppList[static_cast<std::size_t>(index)][1];
  const std::string bytes = SavedDocument(frm);
  const ExportFile export_file = ExportForApp(bytes);
  MakeFolders(module.SysDir);  // the export folder may have been cleaned away
  const std::string path = WorkPath(module.SysDir, export_file.name);
  WriteFileBytes(path, export_file.text);
  if (!StartWith(frm, program, path)) ConnectFailed(frm, program);
}

// MnuTavrin: the communication program gets a copy of its own, which only
// its next launch rewrites.
void LaunchTavrin(EditFrm& frm) {
  RecordStep(frm.services().module, kEditMenu, 33);
  const EditModule& module = frm.services().module;
  const std::string bytes = SavedDocument(frm);
  MakeFolders(module.SysDir);
  const std::string copy = WorkPath(module.SysDir, "Tavrin.DAT");
  WriteFileBytes(copy, ExportForApp(bytes).text);  // a drawing keeps its empty value lines
  const std::string program = WorkPath(module.ProgDir, "Tavrin");
  if (!StartWith(frm, program, copy)) ConnectFailed(frm, program);
}

void ChooseBrowser(EditFrm& frm) {
  RecordStep(frm.services().module, kEditMenu, 31);
  const auto path = frm.services().prompter.OpenFileName(kProgramFilter, QString());
  if (!path || path->isEmpty()) return;
  frm.SetBrowserPath(*path);
  SaveSetting(frm.services().settings, kShellSection, "WebApl", path->toStdString());
  frm.services().prompter.Message("ブラウザを[ " + Q(ProgramTitle(path->toStdString())) + " ]に設定しました。",
                                  Buttons::kOk, Icon::kNone);
}

void OpenUpdatePage(EditFrm& frm) {
  const QString browser = frm.BrowserPath();
  if (!frm.services().launcher.Start(browser, {Q(kUpdatePage)})) ConnectFailed(frm, browser.toStdString());
}

// MnuSetMacro: starts a recording, or saves the one that runs.
void SetMacro(EditFrm& frm) {
  EditModule& module = frm.services().module;
  if (module.MacroCount < 0) {
    if (frm.services().prompter.Message("操作手順を記録します。\r\n記録が完了したら、もう一度[マクロの登録]をクリックして下さい。",
                                        Buttons::kOkCancel, Icon::kNone) != kResultOk) {
      return;
    }
    module.MacroCount = 0;
    frm.setWindowTitle("  マクロ記録中...マクロを保存するには、もう一度[マクロの登録]をクリックして下さい。");
    return;
  }
  if (module.MacroCount == 0) return;  // nothing recorded yet: recording goes on
  const std::vector<MacroStep> steps(module.MacroSteps.begin(), module.MacroSteps.begin() + module.MacroCount);
  WriteFileBytes(WorkPath(module.ProgDir, "MACRO.DAT"), EncodeCp932(MacroFileText(steps)));
  SaveBoolSetting(frm.services().settings, kShellSection, "Macro", true);
  module.MacroCount = -1;
  frm.setWindowTitle(" エディタ");
  const std::string user = GetSetting(frm.services().settings, kShellSection, "UsER", "");
  if (!user.empty()) frm.SetGraphicTitle(Q(GraphicWindowTitle(user)));
}

// MnuRunMacro: the records of MACRO.DAT, kept in a list of their own (a
// recording that runs meanwhile records into the shared table), played in
// order; a record that cannot be read is skipped and named at the end.
void RunMacro(EditFrm& frm) {
  std::string text = ReadFileBytes(WorkPath(frm.services().module.ProgDir, "MACRO.DAT"));
  DecodeCp932InPlace(text);
  QStringList skipped;
  const std::vector<MacroStep> steps = ReadMacroFile(text, [&skipped](int line, std::string_view why) {
    skipped << QString("%1 行目: %2").arg(line).arg(Q(why));
  });
  for (const MacroStep& step : steps) {
    if (step.kind != kEditMenu) continue;
    if (const auto item = MacroItemNumber(step.item)) frm.RunMacroStep(*item);
  }
  if (!skipped.isEmpty()) {
    frm.services().prompter.Message("MACRO.DAT の次の行を飛ばしました。\n" + skipped.join("\n"), Buttons::kOk,
                                    Icon::kExclamation);
  }
}

}  // namespace

// --------------------------------------------------------------- AppSetFrm

AppSetFrm::AppSetFrm(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("AppSetFrm");
  setWindowTitle("外部アプリケーションの設定");
  setModal(true);
  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  add_ = Button("Command1(0)", "追加", this);
  delete_ = Button("Command1(1)", "削除", this);
  auto* close = Button("Command1(2)", "閉じる", this);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(add_);
  buttons->addWidget(delete_);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list1_);
  layout->addLayout(buttons);

  apps_ = ReadAppList(frm.services().settings);
  for (const ExternalApp& app : apps_) {
    if (!app.title.empty()) list1_->addItem(Q(app.title));
  }
  add_->setEnabled(list1_->count() <= 9);
  delete_->setEnabled(false);
  Prompter& prompter = frm.services().prompter;
  connect(list1_, &QListWidget::currentRowChanged, this, [this, &prompter](int row) {
    Guard(prompter, [&] { delete_->setEnabled(row >= 0); });
  });
  connect(add_, &QPushButton::clicked, this, [this, &prompter] { Guard(prompter, [this] { Add(); }); });
  connect(delete_, &QPushButton::clicked, this, [this, &prompter] { Guard(prompter, [this] { Delete(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void AppSetFrm::Add() {
  const auto path = frm_.services().prompter.OpenFileName(kProgramFilter, QString());
  if (!path || path->isEmpty() || list1_->count() >= kAppCount) return;
  const int row = list1_->count();
  ExternalApp app{ProgramTitle(path->toStdString()), path->toStdString()};
  list1_->addItem(Q(app.title));
  SaveApp(frm_.services().settings, row, app);
  apps_[static_cast<std::size_t>(row)] = std::move(app);
  if (row >= 9) add_->setEnabled(false);
}

void AppSetFrm::Delete() {
  const int row = list1_->currentRow();
  if (row < 0) return;
  const QString question = "外部アプリケーション: " + list1_->item(row)->text() + " をメニューから削除しますか";
  if (frm_.services().prompter.Message(question, Buttons::kYesNo, Icon::kQuestion) == kResultNo) return;
  DeleteApp(frm_.services().settings, apps_, row);
  delete list1_->takeItem(row);
  list1_->setCurrentRow(-1);
  add_->setEnabled(true);
  delete_->setEnabled(false);
}

void AppSetFrm::done(int result) {
  Guard(frm_.services().prompter, [this] {
    for (int i = 0; i < kAppCount; ++i) {
      frm_.services().module.AppList[static_cast<std::size_t>(i)] = {apps_[static_cast<std::size_t>(i)].title,
                                                                     apps_[static_cast<std::size_t>(i)].path};
    }
    frm_.ShowAppItems(apps_);
  });
  QDialog::done(result);
}

// ------------------------------------------------------------------ HlpFrm

HlpFrm::HlpFrm(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("HlpFrm");
  setWindowTitle(" Kovrel");
  setModal(true);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("RichTextBox1");
  text_->setReadOnly(true);
  text_->setPlainText(Q(ReadMeText()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(TwipsToPixels(11220), TwipsToPixels(9000));
}

void HlpFrm::done(int result) {
  Guard(frm_.services().prompter, [this] {
    std::string text = WithCrLfLineEnds(text_->toPlainText().toStdString());
    EncodeCp932InPlace(text);
    WriteFileBytes(WorkPath(frm_.services().module.ProgDir, "readme.txt"), text);
  });
  QDialog::done(result);
}

// ---------------------------------------------------------------- frmAbout

FrmAbout::FrmAbout(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("frmAbout");
  setWindowTitle("Kovrelのﾊﾞｰｼﾞｮﾝ情報");
  setModal(true);
  const auto label = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
  };
  picture1_ = label("Picture1", QString());
  picture1_->setPixmap(windowIcon().pixmap(48, 48));
  picture1_->setCursor(Qt::PointingHandCursor);
  picture1_->installEventFilter(this);
  auto* title = label("lblTitle", "Kovrel");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);
  auto* texts = new QVBoxLayout();
  texts->addWidget(title);
  texts->addWidget(label("Label1", "kovrel"));
  texts->addWidget(label("lblVersion", Q(ProgramVersionText())));
  texts->addWidget(label("Label2", "ＮＣデータのエディタと変換ソフト"));
  auto* top = new QHBoxLayout();
  top->addWidget(picture1_, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  auto* close = Button("Command1", "閉じる", this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  top->addWidget(close, 0, Qt::AlignTop);
  text1_ = new QLineEdit(Q(GetSetting(frm.services().settings, kShellSection, "UsER", "")), this);
  text1_->setObjectName("Text1");
  text1_->hide();  // below the visible part until the picture is clicked
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(text1_);
  setFixedHeight(TwipsToPixels(1875));
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture1_ && event->type() == QEvent::MouseButtonRelease) {
    setFixedHeight(TwipsToPixels(2325));
    text1_->show();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void FrmAbout::done(int result) {
  Guard(frm_.services().prompter, [this] {
    const std::string user = text1_->text().toStdString();
    frm_.SetGraphicTitle(Q(GraphicWindowTitle(user)));
    SaveSetting(frm_.services().settings, kShellSection, "UsER", user);
  });
  QDialog::done(result);
}

// ----------------------------------------------------------- menu commands

void WireShellCommands(EditFrm& frm) {
  for (int i = 0; i < kAppCount; ++i) {
    frm.WireCommand(QString("MnuApp(%1)").arg(i), [&frm, i] { LaunchApp(frm, i); });
    frm.MenuItem(QString("MnuApp(%1)").arg(i))->setEnabled(false);  // until a program is registered
  }
  frm.WireCommand("MnuAppSet", [&frm] {
    RecordStep(frm.services().module, kEditMenu, 32);
    AppSetFrm window(frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuTavrin", [&frm] { LaunchTavrin(frm); });
  frm.WireCommand("MnuWWW", [&frm] { ChooseBrowser(frm); });
  frm.WireCommand("MnuLinkKovrel", [&frm] { OpenUpdatePage(frm); });
  frm.WireCommand("MnuSetMacro", [&frm] { SetMacro(frm); });
  frm.WireCommand("MnuRunMacro", [&frm] { RunMacro(frm); });
  frm.WireCommand("MnuRead", [&frm] {
    RecordStep(frm.services().module, kEditMenu, 90);
    HlpFrm window(frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuVer", [&frm] {
    RecordStep(frm.services().module, kEditMenu, 91);
    FrmAbout window(frm);
    frm.services().prompter.RunDialog(window);
  });
}

}  // namespace kovrel
