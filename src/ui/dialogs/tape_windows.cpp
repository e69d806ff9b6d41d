// ConvFrm and CvFrm.
#include "ui/dialogs/tape_windows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <filesystem>

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "ui/dialogs/named_controls.h"
#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/prompter.h"
#include "ui/platform/screen_busy.h"
#include "ui/platform/twips.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QStringList TableList(EditFrm& frm) {
  QStringList names;
  for (const std::string& name : TableNames(frm.services().module.ProgDir)) names << Q(name);
  return names;
}

// Places a control at a position given in twips.
void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace

// ----------------------------------------------------------------- ConvFrm

ConvFrm::ConvFrm(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("ConvFrm");
  setWindowTitle("コード変換");
  setModal(true);
  Prompter& prompter = frm.services().prompter;

  auto* list_frame = new QGroupBox("変換リスト", this);
  list1_ = Named(new QListWidget(list_frame), "List1");
  list1_->addItems(TableList(frm));
  (new QVBoxLayout(list_frame))->addWidget(list1_);

  auto* source_frame = new QGroupBox("変換元ファイル", this);
  option1_[0] = Named(new QRadioButton("エディタ上のデータを変換", source_frame), "Option1(0)");
  option1_[1] = Named(new QRadioButton("指定ファイルを変換", source_frame), "Option1(1)");
  auto* group = new QButtonGroup(this);
  group->addButton(option1_[0]);
  group->addButton(option1_[1]);
  text1_ = Named(new QLineEdit(source_frame), "Text1");
  command1_ = CommandButton("ファイルの検索", "Command1", source_frame);
  auto* source_layout = new QGridLayout(source_frame);
  source_layout->addWidget(option1_[0], 0, 0, 1, 2);
  source_layout->addWidget(option1_[1], 1, 0, 1, 2);
  source_layout->addWidget(text1_, 2, 0);
  source_layout->addWidget(command1_, 2, 1);

  preview_ = new TextEditor(this);
  preview_->setObjectName("RichTextBox1");
  preview_->setReadOnly(true);
  preview_->setAcceptDrops(false);
  preview_->installEventFilter(this);
  auto* label1 = Named(new QLabel("WINDOWSでサポートされていないコードが含まれている時は\n"
                                  "ファイルへ出力する事をお勧めします",
                                  this),
                       "Label1");
  command2_[0] = CommandButton("実行", "Command2(0)", this);
  command2_[1] = CommandButton("ｷｬﾝｾﾙ", "Command2(1)", this);
  command2_[0]->setEnabled(false);  // until a conversion succeeds

  auto* right = new QVBoxLayout();
  right->addWidget(source_frame);
  right->addWidget(preview_, 1);
  right->addWidget(label1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  buttons->addWidget(command2_[0]);
  buttons->addWidget(command2_[1]);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_frame);
  layout->addLayout(right, 1);

  // The output panel, in front of everything once "実行" is pressed.
  auto* panel = Named(new QFrame(this), "Picture1");
  panel->setAutoFillBackground(true);
  panel->setFrameShape(QFrame::Panel);
  picture1_ = panel;
  auto* target_frame = new QGroupBox("変換先ファイル", picture1_);
  auto* to_editor = CommandButton("エディタへ上書き出力", "Command3(0)", target_frame);
  auto* to_file = CommandButton("ファイルへ出力...", "Command3(1)", target_frame);
  auto* back = CommandButton("ｷｬﾝｾﾙ", "Command3(2)", target_frame);
  auto* target_layout = new QVBoxLayout(target_frame);
  target_layout->addWidget(to_editor);
  target_layout->addWidget(to_file);
  target_layout->addWidget(back);
  auto* panel_layout = new QVBoxLayout(picture1_);
  panel_layout->addStretch();
  panel_layout->addWidget(target_frame, 0, Qt::AlignCenter);
  panel_layout->addStretch();
  picture1_->hide();

  option1_[0]->setChecked(true);
  ChooseSource(0);
  resize(std::max(TwipsToPixels(7455), sizeHint().width()), std::max(TwipsToPixels(4095), sizeHint().height()));

  for (int i = 0; i < 2; ++i) {
    ConnectGuarded(option1_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, prompter,
                   [this, i] { ChooseSource(i); });
  }
  ConnectGuarded(command1_, &QPushButton::clicked, this, prompter, [this] { Browse(); });
  connect(list1_, &QListWidget::itemClicked, this,
          [this, &prompter](QListWidgetItem* item) { Guard(prompter, [&] { Convert(item->text()); }); });
  ConnectGuarded(command2_[0], &QPushButton::clicked, this, prompter, [this] { ShowOutputPanel(); });
  ConnectGuarded(command2_[1], &QPushButton::clicked, this, prompter, [this] { reject(); });
  ConnectGuarded(to_editor, &QPushButton::clicked, this, prompter, [this] { OutputToEditor(); });
  ConnectGuarded(to_file, &QPushButton::clicked, this, prompter, [this] { OutputToFile(); });
  ConnectGuarded(back, &QPushButton::clicked, this, prompter, [this] { picture1_->hide(); });
}

std::string ConvFrm::WorkFile(std::string_view name) const { return WorkPath(frm_.services().module.ProgDir, name); }

void ConvFrm::done(int result) {
  RemoveFile(WorkFile(kTapeFiles.input));
  RemoveFile(WorkFile("bak1.rtf"));
  QDialog::done(result);
}

bool ConvFrm::eventFilter(QObject* watched, QEvent* event) {
  // No keyboard copy, cut or paste in the preview.
  if (watched == preview_ && event->type() == QEvent::KeyPress &&
      (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier)) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ConvFrm::ChooseSource(int index) {
  command1_->setEnabled(index == 1);
  text1_->setEnabled(index == 1);
  if (index == 0) text1_->clear();
}

void ConvFrm::Browse() {
  const auto path = frm_.services().prompter.OpenFileName(kAllFilesFilter, QString());
  if (path) text1_->setText(*path);
}

void ConvFrm::Convert(const QString& name) {
  const bool from_file = option1_[1]->isChecked();
  if (from_file && text1_->text().isEmpty()) return;
  ScreenBusy busy;
  // Table, source and conversion first: the result file and the preview
  // change only when all of them succeeded.
  const TapeTable table =
      LoadTapeTable(TablePath(frm_.services().module.ProgDir, name.toStdString()), name.toStdString());
  const std::string source = ReadFileBytes(from_file ? text1_->text().toStdString() : WorkFile(kTapeFiles.input));
  const std::string converted = ConvertTape(source, table);
  WriteFileAtomic(WorkFile(kTapeFiles.output), converted);
  preview_->LoadText(DecodeCp932(converted));
  converted_ = true;
  command2_[0]->setEnabled(true);
}

void ConvFrm::ShowOutputPanel() {
  if (!converted_) return;
  picture1_->setGeometry(rect());
  picture1_->show();
  picture1_->raise();
}

void ConvFrm::OutputToEditor() {
  if (!converted_) return;
  std::string text = ReadFileBytes(WorkFile(kTapeFiles.output));
  DecodeCp932InPlace(text);
  frm_.editor()->LoadText(text);
  accept();
}

void ConvFrm::OutputToFile() {
  if (!converted_) return;
  Prompter& prompter = frm_.services().prompter;
  // A save dialog: a new name can be typed, and replacing a file asks first.
  const auto path = prompter.SaveFileName(kAllFilesFilter, QString());
  if (!path || path->isEmpty()) return;
  WriteFileAtomic(path->toStdString(), ReadFileBytes(WorkFile(kTapeFiles.output)));
  prompter.Message("ファイルを保存しました。\r\n" + *path, Buttons::kOk, Icon::kNone);
  accept();
}

// ------------------------------------------------------------------- CvFrm

CvFrm::CvFrm(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("CvFrm");
  setWindowTitle("コードエディタ");
  setModal(true);
  Prompter& prompter = frm.services().prompter;

  Place(Named(new QLabel("ファイル名", this), "Label1"), 120, 150, 900, 285);
  combo1_ = Named(new QComboBox(this), "Combo1");
  combo1_->setEditable(true);
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  Place(combo1_, 1000, 90, 2300, 330);
  auto* save = CommandButton("登録", "Command1(0)", this);
  auto* remove = CommandButton("削除", "Command1(1)", this);
  Place(save, 3450, 90, 1100, 330);
  Place(remove, 4650, 90, 1100, 330);
  check1_ = Named(new QCheckBox("コード編集を行う", this), "Check1");
  Place(check1_, 120, 5350, 3000, 300);

  const auto* hex = "0123456789ABCDEF";
  for (int i = 0; i < 16; ++i) {
    Place(Named(new QLabel(QString(QChar(hex[i])), this), Indexed("Label2", i)), i * 375 + 500, 480, 250, 220);
    Place(Named(new QLabel(QString(QChar(hex[i])), this), Indexed("Label3", i)), 120, i * 285 + 750, 200, 220);
  }
  auto* validator = new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,2}"), this);
  for (int k = 0; k < kTableSize; ++k) {
    auto* cell = Named(new QLineEdit("0", this), Indexed("Text1", k));
    cell->setMaxLength(2);
    cell->setValidator(validator);  // pasted text too
    cell->setEnabled(false);
    cell->installEventFilter(this);
    Place(cell, (k / 16) * 375 + 350, (k % 16) * 285 + 700, 375, 285);
    cells_[static_cast<std::size_t>(k)] = cell;
  }
  setFixedSize(TwipsToPixels(6700), TwipsToPixels(5900));

  combo1_->addItems(TableList(frm));
  ConnectGuarded(check1_, &QCheckBox::toggled, this, prompter, [this] { SetEditable(check1_->isChecked()); });
  ConnectGuarded(save, &QPushButton::clicked, this, prompter, [this] { Save(); });
  ConnectGuarded(remove, &QPushButton::clicked, this, prompter, [this] { Delete(); });
  ConnectGuarded(combo1_, &QComboBox::currentIndexChanged, this, prompter, [this] {
    LoadTable(combo1_->currentIndex() < 0 ? QString() : combo1_->itemText(combo1_->currentIndex()));
  });
  // The first table is shown at once.
  if (combo1_->count() > 0) Guard(prompter, [this] { LoadTable(combo1_->itemText(0)); });
}

bool CvFrm::eventFilter(QObject* watched, QEvent* event) {
  // A typed character other than a hexadecimal digit is dropped, the
  // backspace too; the Delete key and the cursor keys work.
  if (event->type() == QEvent::KeyPress && watched->objectName().startsWith("Text1(")) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->key() == Qt::Key_Backspace) return true;
    if (text.size() == 1 && text[0].isPrint() && !QString("0123456789ABCDEFabcdef").contains(text[0])) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CvFrm::LoadTable(const QString& name) {
  for (QLineEdit* cell : cells_) cell->setText("0");
  check1_->setChecked(false);
  SetEditable(false);
  const std::string file = name.toStdString();
  if (file.empty()) return;
  // A table that does not read is refused whole: the cells stay at "0".
  const TapeTable table = LoadTapeTable(TablePath(frm_.services().module.ProgDir, file), file);
  for (std::size_t k = 0; k < cells_.size(); ++k) cells_[k]->setText(Q(table.fields[k]));
}

void CvFrm::SetEditable(bool editable) {
  for (QLineEdit* cell : cells_) cell->setEnabled(editable);
}

void CvFrm::Reported(const std::function<void()>& step) {
  try {
    step();
  } catch (const Failure& failure) {
    if (failure.IsCancel()) return;
    frm_.services().prompter.Message(QString("ERrNumbER=%1\r\n%2").arg(failure.number()).arg(Q(failure.description())),
                                     Buttons::kOk, Icon::kExclamation);
  }
}

std::optional<QString> CvFrm::TypedName() {
  const QString name = combo1_->currentText();
  if (const std::string problem = FileNameProblem(name.toStdString()); !problem.empty()) {
    frm_.services().prompter.Message(Q(problem), Buttons::kOk, Icon::kExclamation);
    return std::nullopt;
  }
  return name;
}

void CvFrm::Save() {
  Reported([this] {
    const auto typed = TypedName();
    if (!typed) return;
    const QString& name = *typed;
    TableCells cells;
    for (std::size_t k = 0; k < cells.size(); ++k) cells[k] = cells_[k]->text().toStdString();
    const std::string& prog_dir = frm_.services().module.ProgDir;
    std::error_code ec;
    std::filesystem::create_directories(WorkPath(prog_dir, kTableFolder), ec);
    WriteFileAtomic(TablePath(prog_dir, name.toStdString()), TapeTableText(cells));
    if (combo1_->findText(name) < 0) {
      // Listed without loading it again: the cells stay as they are.
      const QSignalBlocker quiet(combo1_);
      combo1_->addItem(name);
    }
    frm_.services().prompter.Message(name + " を登録しました。", Buttons::kOk, Icon::kNone);
  });
}

void CvFrm::Delete() {
  Reported([this] {
    const auto typed = TypedName();
    if (!typed) return;
    const QString& name = *typed;
    Prompter& prompter = frm_.services().prompter;
    if (prompter.Message(name + " を削除してよいですか。", Buttons::kYesNo, Icon::kQuestion) != kResultYes) return;
    const std::string path = TablePath(frm_.services().module.ProgDir, name.toStdString());
    if (!FileExists(path)) Fail(FailureKind::kFileNotFound, path);
    std::error_code ec;
    if (!std::filesystem::remove(path, ec)) Fail(FailureKind::kPermissionDenied, path);
    // The entry of that name goes, whichever entry is selected.
    if (const int index = combo1_->findText(name); index >= 0) combo1_->removeItem(index);
  });
}

}  // namespace kovrel
