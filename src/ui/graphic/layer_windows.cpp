// LairFrm, InpFrm, AptFrm and AptLoadFrm.
#include "ui/graphic/layer_windows.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/graphic_view.h"
#include "ui/platform/painter_canvas.h"
#include "ui/platform/prompter.h"
#include "ui/platform/twips.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

constexpr int kRed = 255;
const QString kColourBar = QStringLiteral("━━━━━");

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// A table of `rows` rows whose cells the program fills; the user clicks.
QTableWidget* Grid(int rows, const QStringList& headers, QWidget* parent) {
  auto* grid = new QTableWidget(rows, static_cast<int>(headers.size()), parent);
  grid->setObjectName("MSFlexGrid1");
  grid->setHorizontalHeaderLabels(headers);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->setDefaultSectionSize(20);
  return grid;
}

// The cell at (row, column), made when missing.
QTableWidgetItem* Cell(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid->item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  return item;
}

QString CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item == nullptr ? QString() : item->text();
}

// A colour cell: the bar in the colour, which the cell also keeps as data.
void ShowColourCell(QTableWidget* grid, int row, int column, double colour, bool as_background) {
  QTableWidgetItem* item = Cell(grid, row, column);
  const QColor shown = ToQColor(CanvasColour(colour));
  item->setText(kColourBar);
  item->setForeground(shown);
  if (as_background) item->setBackground(shown);
  item->setData(Qt::UserRole, colour);
}

// Connects a signal to `body`, run inside the windows' guard.
template <typename Sender, typename Signal, typename Body>
void Guarded(QObject* context, Prompter& prompter, Sender* sender, Signal signal, Body body) {
  QObject::connect(sender, signal, context, [&prompter, body](auto&&... args) {
    Guard(prompter, [&] { body(args...); });
  });
}

// The files of the width folder, by name.
void ListWidthFiles(const EditServices& services, QListWidget* list) {
  list->clear();
  list->addItems(QDir(Q(WidthFolder(services))).entryList(QDir::Files, QDir::Name));
}

std::vector<WidthEntry> ReadWidthFileNamed(const EditServices& services, const QString& name) {
  if (!FileNameProblem(name.toStdString()).empty()) return {};
  try {
    return ReadWidthFile(DecodeCp932(ReadFileBytes(WidthFolder(services) + name.toStdString())));
  } catch (const Failure&) {
    return {};  // a file that cannot be read applies nothing, silently
  }
}

}  // namespace

std::string WidthFolder(const EditServices& services) { return services.module.ProgDir + std::string(kWidthFolder); }

QString InpFrm(EditServices& services, QWidget* parent, const QString& text) {
  QDialog dialog(parent);
  dialog.setObjectName("InpFrm");
  dialog.setWindowTitle("入力ボックス");
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel("データ入力", &dialog);
  label->setObjectName("Label1");
  auto* text1 = new QLineEdit(text, &dialog);
  text1->setObjectName("Text1");
  layout->addWidget(label);
  layout->addWidget(text1);
  QObject::connect(text1, &QLineEdit::returnPressed, &dialog, &QDialog::accept);
  services.prompter.RunDialog(dialog);
  services.module.LineBuf = text1->text().toStdString();
  return text1->text();
}

// ------------------------------------------------------------------ LairFrm

LairFrm::LairFrm(MdiKovrel& view, EditServices& services, QWidget* parent)
    : QWidget(parent), view_(view), services_(services) {
  setObjectName("LairFrm");
  setWindowTitle("レイヤー");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* buttons = new QHBoxLayout;
  QPushButton* load = Button("Command1(0)", "読み込み", this);
  QPushButton* save = Button("Command1(1)", "保存", this);
  buttons->addWidget(load);
  buttons->addWidget(save);
  layout->addLayout(buttons);
  grid_ = Grid(kLayerRows, {"画層名", "線幅", "色", "表示"}, this);
  grid_->verticalHeader()->hide();
  layout->addWidget(grid_, 1);

  const SettingsStore& settings = services_.settings;
  constexpr double kColumnWidths[] = {1000, 500, 600, 600};
  for (int c = 0; c < 4; ++c) {
    const std::string key = "Gridwidth" + std::to_string(c);
    grid_->setColumnWidth(c, TwipsToPixels(GetNumberSetting(settings, kShellSection, key, kColumnWidths[c])));
  }
  // Docked at the left of the view: the width is the stored one.
  resize(TwipsToPixels(GetNumberSetting(settings, kShellSection, "LairWidth", 4000)), height());

  Prompter& prompter = services_.prompter;
  Guarded(this, prompter, load, &QPushButton::clicked, [this](bool) { LoadWidths(); });
  Guarded(this, prompter, save, &QPushButton::clicked, [this](bool) { SaveWidths(); });
  Guarded(this, prompter, grid_, &QTableWidget::cellClicked, [this](int row, int column) { CellClicked(row, column); });
  Guarded(this, prompter, grid_->horizontalHeader(), &QHeaderView::sectionClicked,
          [this](int column) { HeaderClicked(column); });
  Fill();
}

void LairFrm::Fill() {
  FigureTables& figure = view_.figure();
  ShowNamedLayers(figure);
  for (int layer = 0; layer < kLayerRows; ++layer) {
    const std::string& name = figure.LayerNames[static_cast<std::size_t>(layer)];
    if (name.empty()) continue;
    Cell(grid_, layer, 0)->setText(Q(name));
    Cell(grid_, layer, 1)->setText(Q(LayerWidthText(figure.LayerWidth[static_cast<std::size_t>(layer)])));
    ShowColour(layer);
    Cell(grid_, layer, 3)->setText("ON");
  }
}

void LairFrm::SaveSettings() {
  SettingsStore& settings = services_.settings;
  SaveSingleSetting(settings, kShellSection, "LairLeft", static_cast<float>(PixelsToTwips(x())));
  SaveSingleSetting(settings, kShellSection, "LairTop", static_cast<float>(PixelsToTwips(y())));
  SaveSingleSetting(settings, kShellSection, "LairWidth", static_cast<float>(PixelsToTwips(width())));
  SaveSingleSetting(settings, kShellSection, "LairHeight", static_cast<float>(PixelsToTwips(height())));
  for (int c = 0; c < 4; ++c) {
    SaveSingleSetting(settings, kShellSection, "Gridwidth" + std::to_string(c),
                      static_cast<float>(PixelsToTwips(grid_->columnWidth(c))));
  }
}

void LairFrm::ShowWidth(int layer) {
  const float width = view_.figure().LayerWidth[static_cast<std::size_t>(layer)];
  QTableWidgetItem* item = Cell(grid_, layer, 1);
  item->setText(Q(LayerWidthText(width)));
  item->setForeground(ToQColor(width != 0 ? kRed : 0));
}

void LairFrm::ShowColour(int layer) {
  ShowColourCell(grid_, layer, 2, view_.figure().LayerColor[static_cast<std::size_t>(layer) + 1], false);
}

void LairFrm::CellClicked(int row, int column) {
  if (row < 0 || CellText(grid_, row, 0).isEmpty()) return;  // a row without a layer
  FigureTables& figure = view_.figure();
  const auto layer = static_cast<std::size_t>(row);
  if (column == 3) {
    ToggleShown(row);
  } else if (column == 2) {
    const auto colour = services_.prompter.ChooseColor(ToQColor(CanvasColour(figure.LayerColor[layer + 1])));
    if (!colour) return;
    figure.LayerColor[layer + 1] = StoredLayerColour(FromQColor(*colour));
    ShowColour(row);
  } else if (column == 1) {
    const QString typed = InpFrm(services_, this, CellText(grid_, row, 1));
    figure.LayerWidth[layer] = TypedLayerWidth(typed.toStdString());
    ShowWidth(row);
  } else {
    return;
  }
  view_.picture()->Redraw();
}

void LairFrm::HeaderClicked(int column) {
  if (column != 3) return;
  for (int row = 0; row < kLayerRows; ++row) ToggleShown(row);
  view_.picture()->Redraw();
}

void LairFrm::ToggleShown(int row) {
  QTableWidgetItem* item = grid_->item(row, 3);
  if (item == nullptr) return;
  std::int16_t& visible = view_.figure().LayerVisible[static_cast<std::size_t>(row)];
  if (item->text() == "ON") {
    visible = 0;
    item->setText("OFF");
    item->setForeground(ToQColor(kRed));
  } else if (item->text() == "OFF") {
    visible = kLayerShown;
    item->setText("ON");
    item->setForeground(ToQColor(0));
  }
}

void LairFrm::LoadWidths() {
  AptLoadFrm loader(services_, this);
  services_.prompter.RunDialog(loader);
  for (const int layer : ApplyWidthEntries(view_.figure(), loader.entries())) {
    ShowWidth(layer);
    ShowColour(layer);
  }
  view_.picture()->Redraw();
}

void LairFrm::SaveWidths() {
  std::vector<WidthEntry> entries;
  for (int row = 0; row < kLayerRows && !CellText(grid_, row, 0).isEmpty(); ++row) {
    entries.push_back({CellText(grid_, row, 0).toStdString(), CellText(grid_, row, 1).toStdString(),
                       view_.figure().LayerColor[static_cast<std::size_t>(row) + 1]});
  }
  AptFrm editor(services_, this);
  editor.Fill(entries);
  services_.prompter.RunDialog(editor);
}

// ------------------------------------------------------------------- AptFrm

AptFrm::AptFrm(EditServices& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName("AptFrm");
  setWindowTitle("描画線幅の編集");
  setModal(true);
  auto* layout = new QGridLayout(this);
  grid_ = Grid(100, {"Dｺｰﾄﾞ", "ｻｲｽﾞ", "ｶﾗｰ"}, this);
  text2_ = new QLineEdit(this);
  text2_->setObjectName("Text2");
  auto* name_label = new QLabel("ﾌｧｲﾙ名", this);
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  file1_ = new QListWidget(this);
  file1_->setObjectName("File1");
  command2_ = Button("Command2", "保存", this);
  const char* captions[] = {"読み込み", "削除", "閉じる"};
  for (int i = 0; i < 3; ++i) command1_[i] = Button(QString("Command1(%1)").arg(i), captions[i], this);
  layout->addWidget(grid_, 0, 0, 6, 1);
  layout->addWidget(text2_, 6, 0);
  layout->addWidget(name_label, 0, 1);
  layout->addWidget(text1_, 1, 1);
  layout->addWidget(file1_, 2, 1);
  layout->addWidget(command2_, 3, 1);
  layout->addWidget(command1_[0], 4, 1);
  layout->addWidget(command1_[1], 5, 1);
  layout->addWidget(command1_[2], 6, 1);
  command2_->setEnabled(false);
  command1_[0]->setEnabled(false);
  command1_[1]->setEnabled(false);

  Prompter& prompter = services_.prompter;
  connect(text1_, &QLineEdit::textChanged, this, [this](const QString& name) { command2_->setEnabled(!name.isEmpty()); });
  Guarded(this, prompter, file1_, &QListWidget::itemSelectionChanged, [this] { FileSelected(); });
  Guarded(this, prompter, grid_, &QTableWidget::cellClicked, [this](int row, int column) { CellClicked(row, column); });
  Guarded(this, prompter, text2_, &QLineEdit::textEdited, [this](const QString& text) { Text2Changed(text); });
  Guarded(this, prompter, command2_, &QPushButton::clicked, [this](bool) { Save(); });
  Guarded(this, prompter, command1_[0], &QPushButton::clicked, [this](bool) { LoadFile(); });
  Guarded(this, prompter, command1_[1], &QPushButton::clicked, [this](bool) { DeleteFile(); });
  connect(command1_[2], &QPushButton::clicked, this, &QDialog::reject);
  ListFiles();
}

void AptFrm::ListFiles() { ListWidthFiles(services_, file1_); }

void AptFrm::Fill(const std::vector<WidthEntry>& entries) {
  grid_->clearContents();
  for (std::size_t row = 0; row < entries.size() && row < 100; ++row) ShowRow(static_cast<int>(row), entries[row]);
}

void AptFrm::ShowRow(int row, const WidthEntry& entry) {
  Cell(grid_, row, 0)->setText(Q(entry.name));
  Cell(grid_, row, 1)->setText(Q(entry.width_text));
  ShowColourCell(grid_, row, 2, entry.colour, true);
}

std::vector<WidthEntry> AptFrm::Entries() const {
  std::vector<WidthEntry> entries;
  for (int row = 0; row < grid_->rowCount(); ++row) {
    const QString name = CellText(grid_, row, 0);
    if (name.isEmpty()) continue;
    const QTableWidgetItem* colour = grid_->item(row, 2);
    entries.push_back({name.toStdString(), CellText(grid_, row, 1).toStdString(),
                       colour == nullptr ? 0 : colour->data(Qt::UserRole).toDouble()});
  }
  return entries;
}

void AptFrm::FileSelected() {
  const QList<QListWidgetItem*> selected = file1_->selectedItems();
  if (!selected.isEmpty()) text1_->setText(selected.front()->text());
  command1_[0]->setEnabled(!selected.isEmpty());
  command1_[1]->setEnabled(!selected.isEmpty());
}

void AptFrm::CellClicked(int row, int column) {
  if (column == 2) {
    const QTableWidgetItem* item = grid_->item(row, 2);
    const int current = item == nullptr ? 0 : item->data(Qt::UserRole).toInt();
    const auto colour = services_.prompter.ChooseColor(ToQColor(current));
    if (colour) ShowColourCell(grid_, row, 2, FromQColor(*colour), true);
    return;
  }
  // The name and the width are typed in Text2, which writes the cell.
  edited_row_ = row;
  edited_column_ = column;
  text2_->setText(CellText(grid_, row, column));
  text2_->setFocus();
}

void AptFrm::Text2Changed(const QString& text) {
  if (edited_row_ < 0) return;
  QString shown = text;
  if (edited_column_ == 1) shown = Q(LayerWidthText(TypedLayerWidth(text.toStdString())));
  Cell(grid_, edited_row_, edited_column_)->setText(shown);
}

void AptFrm::LoadFile() {
  const std::vector<WidthEntry> entries = ReadWidthFileNamed(services_, text1_->text());
  grid_->clearContents();
  for (std::size_t row = 0; row < entries.size() && row < 100; ++row) {
    WidthEntry shown = entries[row];
    shown.width_text = LayerWidthText(TypedLayerWidth(shown.width_text));
    ShowRow(static_cast<int>(row), shown);
  }
}

void AptFrm::DeleteFile() {
  const QString name = text1_->text();
  if (!FileNameProblem(name.toStdString()).empty()) return;
  if (services_.prompter.Message(name + " を削除してよいですか。", Buttons::kYesNo, Icon::kQuestion) != kResultYes) return;
  RemoveFile(WidthFolder(services_) + name.toStdString());
  ListFiles();
  FileSelected();
}

void AptFrm::Save() {
  const std::string name = text1_->text().toStdString();
  if (const std::string problem = FileNameProblem(name); !problem.empty()) {
    services_.prompter.Message(Q(problem), Buttons::kOk, Icon::kExclamation);
    return;
  }
  // A failure here is the standard error report, and the window stays.
  MakeFolders(WidthFolder(services_));
  WriteFileAtomic(WidthFolder(services_) + name, EncodeCp932(WidthFileText(Entries())));
  ListFiles();
  services_.prompter.Message(text1_->text() + " を登録しました。", Buttons::kOk, Icon::kNone);
  accept();
}

// --------------------------------------------------------------- AptLoadFrm

AptLoadFrm::AptLoadFrm(EditServices& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName("AptLoadFrm");
  setWindowTitle("線幅設定ファイルの読み込み");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  file1_ = new QListWidget(this);
  file1_->setObjectName("File1");
  command1_[0] = Button("Command1(0)", "読み込み", this);
  command1_[1] = Button("Command1(1)", "閉じる", this);
  layout->addWidget(file1_);
  layout->addWidget(command1_[0]);
  layout->addWidget(command1_[1]);
  command1_[0]->setEnabled(false);
  connect(file1_, &QListWidget::itemSelectionChanged, this,
          [this] { command1_[0]->setEnabled(!file1_->selectedItems().isEmpty()); });
  Guarded(this, services_.prompter, command1_[0], &QPushButton::clicked, [this](bool) { Load(); });
  connect(command1_[1], &QPushButton::clicked, this, &QDialog::reject);
  ListWidthFiles(services_, file1_);
}

void AptLoadFrm::Load() {
  const QList<QListWidgetItem*> selected = file1_->selectedItems();
  if (selected.isEmpty()) return;
  entries_ = ReadWidthFileNamed(services_, selected.front()->text());
  accept();
}

}  // namespace kovrel
