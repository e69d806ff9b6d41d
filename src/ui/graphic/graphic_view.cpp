// MDIKovrel, CvGrph and Picture1: opening, drawing, zoom and pan, the
// menus, the mouse (the coordinate check and the print placement), the side
// windows, and the return to the editor.
#include "ui/graphic/graphic_view.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QThreadPool>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/append.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/number_format.h"
#include "convert/gcode_sort.h"
#include "core/settings_store.h"
#include "core/text_reader.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/check_frm.h"
#include "ui/graphic/layer_windows.h"
#include "ui/graphic/print_panel.h"
#include "ui/platform/painter_canvas.h"
#include "ui/platform/prompter.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

// The macro steps ("Graphic.Menu") the view's menus record.
constexpr int kStepBitmap = 1;
constexpr int kStepClipboard = 2;
constexpr int kStepPrinterSetup = 3;
constexpr int kStepPrint = 4;
constexpr int kStepG00Lines = 10;
constexpr int kStepBackColour = 11;
constexpr int kStepBaseLines = 12;
constexpr int kStepArcMode = 13;
constexpr int kStepCheckWindow = 14;
constexpr int kStepLayerWindow = 15;
constexpr int kStepWidthTable = 16;
constexpr int kStepReturn = 999;

// The title of the message of a failed coordinate check.
const QString kCheckFailureTitle = QStringLiteral("Kovrel_32");

// The pointer of the zoom mode: a magnifying glass.
QCursor ZoomCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 4));
  painter.drawEllipse(QPointF(12, 12), 8, 8);
  painter.drawLine(QPointF(18, 18), QPointF(28, 28));
  painter.setPen(QPen(Qt::black, 2));
  painter.drawEllipse(QPointF(12, 12), 8, 8);
  painter.drawLine(QPointF(18, 18), QPointF(28, 28));
  painter.drawLine(QPointF(8, 12), QPointF(16, 12));
  painter.drawLine(QPointF(12, 8), QPointF(12, 16));
  return QCursor(pixmap, 12, 12);
}

}  // namespace

// ---------------------------------------------------------------- Picture1

Picture::Picture(MdiKovrel& view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName("Picture1");
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  SetModeCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(64, 64);
}

namespace {

bool ReadsLikeMachine(const SettingsStore& settings) {
  return GetBoolSetting(settings, kGraphicSection, kMachineReadingKey, false);
}

// A figure of more elements and holes than this is drawn off the event loop.
constexpr std::size_t kDrawInBackground = 50000;

// Draws `figure` into a new image of `size`.
QImage DrawFigure(const FigureTables& figure, const ViewBox& box, const DrawOptions& options, const QSize& size,
                  PickTable& picks) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  PainterCanvas canvas(painter, size.width(), size.height());
  GrSub(figure, box, options, canvas, picks);
  return image;
}

}  // namespace

Picture::~Picture() {
  if (cancel_) cancel_->store(true);
}

void Picture::Redraw() {
  if (width() <= 0 || height() <= 0) return;
  if (cancel_) cancel_->store(true);  // a newer drawing replaces the one in progress
  const unsigned generation = ++generation_;
  const FigureTables& figure = view_.figure();
  DrawOptions options = view_.Options();
  const Window window = WindowFor(view_.box_, width(), height());
  if (figure.FigElems.size() + figure.HolePoints.size() < kDrawInBackground) {
    PickTable picks;
    QImage image = DrawFigure(figure, view_.box_, options, size(), picks);
    Show(generation, std::move(image), std::move(picks), window);
    return;
  }
  // The drawing works on a copy of the tables, so that an edit on the event
  // loop meanwhile never meets it halfway.
  auto snapshot = std::make_shared<const FigureTables>(figure);
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  options.cancel = cancel_.get();
  if (!drawing_) setCursor(Qt::BusyCursor);
  drawing_ = true;
  QPointer<Picture> self(this);
  QThreadPool::globalInstance()->start(
      [self, snapshot, cancel = cancel_, options, box = view_.box_, surface = size(), generation, window] {
        PickTable picks;
        QImage image = DrawFigure(*snapshot, box, options, surface, picks);
        if (cancel->load()) return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, image = std::move(image), picks = std::move(picks), generation, window]() mutable {
              if (self) self->Show(generation, std::move(image), std::move(picks), window);
            },
            Qt::QueuedConnection);
      });
}

void Picture::Show(unsigned generation, QImage image, PickTable picks, Window window) {
  if (generation != generation_) return;  // a newer drawing is on its way
  image_ = std::move(image);
  view_.picks_ = std::move(picks);
  window_ = window;
  if (drawing_) {
    drawing_ = false;
    setCursor(mode_cursor_);
  }
  cancel_.reset();
  update();
}

void Picture::WaitForDrawing() {
  while (drawing_) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
}

void Picture::SetModeCursor(const QCursor& cursor) {
  mode_cursor_ = cursor;
  if (!drawing_) setCursor(cursor);
}

QPointF Picture::ToWorld(const QPointF& point) const {
  const double scale = width() / static_cast<double>(window_.right - window_.left);
  return {window_.left + point.x() / scale, window_.top - point.y() / scale};
}

QPointF Picture::FromWorld(double x, double y) const {
  const double scale = width() / static_cast<double>(window_.right - window_.left);
  return {(x - window_.left) * scale, (window_.top - y) * scale};
}

void Picture::paintEvent(QPaintEvent*) {
  // Drawing the finished image cannot fail; the drawing itself (GrSub) runs
  // in Redraw, inside the guard, and so do the markers and the outline.
  QPainter painter(this);
  if (image_.size() != size()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, image_);
  view_.Guarded([&] { DrawOverlays(painter); });
}

void Picture::DrawOverlays(QPainter& painter) {
  PainterCanvas canvas(painter, width(), height());
  canvas.SetWindow(window_);
  DrawMarkers(view_.check_, canvas);
  if (view_.graph_mode_ == kModePrintOutline) {
    // The page outline inverts what lies under it.
    canvas.Flush();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    canvas.SetColor(16777215);
    const PageOutline page = view_.print_panel_->Outline();
    const double x = view_.page_corner_.x(), y = view_.page_corner_.y();
    canvas.Line(x, y, x + page.width, y);
    canvas.Line(x + page.width, y, x + page.width, y - page.height);
    canvas.Line(x + page.width, y - page.height, x, y - page.height);
    canvas.Line(x, y - page.height, x, y);
  }
}

void Picture::resizeEvent(QResizeEvent*) {
  view_.Guarded([this] { Redraw(); });
}

void Picture::keyPressEvent(QKeyEvent* event) {
  bool handled = false;
  view_.Guarded([&] { handled = KeyPress(event); });
  if (!handled) QWidget::keyPressEvent(event);
}

bool Picture::KeyPress(QKeyEvent* event) {
  // The keys act as the buttons; the numeric pad as its printed keys.
  static const std::pair<int, int> kKeys[] = {
      {Qt::Key_Escape, 0}, {Qt::Key_Home, 1}, {Qt::Key_7, 1},     {Qt::Key_PageUp, 2}, {Qt::Key_9, 2},
      {Qt::Key_PageDown, 3}, {Qt::Key_3, 3}, {Qt::Key_Up, 4},     {Qt::Key_8, 4},      {Qt::Key_Down, 5},
      {Qt::Key_2, 5},      {Qt::Key_Left, 6}, {Qt::Key_4, 6},     {Qt::Key_Right, 7},  {Qt::Key_6, 7}};
  const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
  for (const auto& [key, button] : kKeys) {
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    if (event->key() == key && (!digit || keypad)) {
      view_.Command4Click(button);
      return true;
    }
  }
  return false;
}

void Picture::mousePressEvent(QMouseEvent* event) {
  view_.Guarded([&] {
    view_.MouseDown(ToWorld(event->position()), event->button(), event->globalPosition().toPoint());
  });
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
  view_.Guarded([&] { view_.MouseMove(ToWorld(event->position())); });
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
  view_.Guarded([&] { view_.MouseUp(ToWorld(event->position()), event->button()); }, kCheckFailureTitle);
}

void Picture::focusOutEvent(QFocusEvent* event) {
  view_.Guarded([&] {
    // Losing the focus hides the page outline.
    if (view_.graph_mode_ == kModePrintOutline) {
      view_.graph_mode_ = kModePrint;
      update();
    }
  });
  QWidget::focusOutEvent(event);
}

// --------------------------------------------------------------- MDIKovrel

MdiKovrel::MdiKovrel(EditFrm& frm) : QMainWindow(nullptr), frm_(frm) {
  setObjectName("MDIKovrel");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(frm.size().expandedTo(QSize(800, 600)));

  // The host's client area: the layer window, the view, the coordinate
  // window, side by side.
  client_ = new QSplitter(Qt::Horizontal, this);
  client_->setObjectName("MDIClient");
  client_->setChildrenCollapsible(false);
  setCentralWidget(client_);
  cv_grph_ = new QWidget(client_);
  cv_grph_->setObjectName("CvGrph");
  client_->addWidget(cv_grph_);
  auto* bar = new QWidget(cv_grph_);
  bar->setObjectName("Picture2");
  auto* bar_layout = new QHBoxLayout(bar);
  bar_layout->setContentsMargins(2, 2, 2, 2);
  const char* captions[] = {"Esc", "Home", "PgUp", "PgDn", "↑", "↓", "←", "→", "Zoom", "Move"};
  for (int i = 0; i < 10; ++i) {
    auto* button = new QPushButton(captions[i], bar);
    button->setObjectName(QString("Command4(%1)").arg(i));
    button->setFocusPolicy(Qt::NoFocus);
    // The buttons give way on a narrow window; the read-out keeps its room.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button->setMinimumWidth(24);
    OnSignal(button, &QPushButton::clicked, [this, i] { Command4Click(i); });
    bar_layout->addWidget(button);
    command4_[static_cast<std::size_t>(i)] = button;
  }
  label1_ = new QLabel("X000.000 : Y000.000", bar);
  label1_->setObjectName("Label1");
  label1_->setMinimumWidth(180);
  label1_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  bar_layout->addWidget(label1_);
  picture_ = new Picture(*this, cv_grph_);
  print_panel_ = new PrintPanel(cv_grph_);
  print_panel_->hide();
  scale_panel_ = BuildEditPanel(4);
  move_panel_ = BuildEditPanel(5);
  auto* drawing = new QHBoxLayout;
  drawing->setContentsMargins(0, 0, 0, 0);
  drawing->addWidget(print_panel_);
  drawing->addWidget(picture_, 1);
  auto* layout = new QVBoxLayout(cv_grph_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(scale_panel_);
  layout->addWidget(move_panel_);
  layout->addLayout(drawing, 1);
  BuildMenus();

  OnSignal(print_panel_->combo3(), &QComboBox::activated, [this] { ApplyPaper(); });
  for (int i = 0; i < 2; ++i) {
    OnSignal(print_panel_->option1(i), &QRadioButton::clicked, [this] { ApplyPaper(); });
    OnSignal(print_panel_->option2(i), &QRadioButton::clicked, [this] { picture_->Redraw(); });
  }
  connect(print_panel_->scale_box(), &QLineEdit::editingFinished, this,
          [this] { Guarded([this] { ApplyScale(); }, QStringLiteral("Kovrel_44")); });
  OnSignal(print_panel_->command1(), &QPushButton::clicked, [this] {
    frm_.services().prompter.SetUpPrinter(printer());
    print_panel_->ShowPrinterName();
  });
  OnSignal(print_panel_->cmdclose(), &QPushButton::clicked, [this] { CloseCommandPanels(); });
}

QPrinter& MdiKovrel::printer() { return print_panel_->printer(); }

FigureTables& MdiKovrel::figure() { return frm_.figure(); }

void MdiKovrel::Guarded(const std::function<void()>& body, const QString& title) {
  Guard(frm_.services().prompter, body, title);
}

namespace {

QMenu* TopMenu(QMainWindow& window, const char* name, const char* caption) {
  QMenu* menu = window.menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QAction* Item(QMenu* parent, const QString& name, const char* caption, bool checkable = false) {
  QAction* action = parent->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

}  // namespace

void MdiKovrel::BuildMenus() {
  QMenu* file = TopMenu(*this, "MnuFile", "ファイル(&F)");
  OnSignal(Item(file, "MnuBmpSave", "ビットマップ形式で保存..."), &QAction::triggered, [this] {
    Record(kStepBitmap);
    SaveImage();
  });
  OnSignal(Item(file, "MnuClipSave", "クリップボードへコピー"), &QAction::triggered, [this] {
    Record(kStepClipboard);
    CopyImage();
  });
  file->addSeparator();
  OnSignal(Item(file, "MnuPrintSet", "プリンタの設定..."), &QAction::triggered, [this] {
    Record(kStepPrinterSetup);
    frm_.services().prompter.SetUpPrinter(printer());
    print_panel_->ShowPrinterName();
  });
  OnSignal(Item(file, "MnuPrint", "印刷"), &QAction::triggered, [this] {
    Record(kStepPrint);
    EnterPrint();
  });
  file->addSeparator();
  OnSignal(Item(file, "MnuExit", "エディタへ戻る"), &QAction::triggered, [this] {
    Record(kStepReturn);
    close();
  });

  QMenu* edit = TopMenu(*this, "MnuEdit", "編集(&E)");
  QMenu* exchange = edit->addMenu("軸変換");
  exchange->setObjectName("MnuExchenge");
  exchange->menuAction()->setObjectName("MnuExchenge");
  for (int i = 0; i < 3; ++i) {
    const std::string_view caption = kMirrorAxes[static_cast<std::size_t>(i)].caption;
    OnSignal(Item(exchange, QString("MnuMirr(%1)").arg(i), std::string(caption).c_str()), &QAction::triggered,
             [this, i] { Mirr(i); });
  }
  OnSignal(Item(edit, "MnuMove", "移動..."), &QAction::triggered, [this] { ShowEditPanel(5); });
  OnSignal(Item(edit, "MnuRate", "倍率変換..."), &QAction::triggered, [this] { ShowEditPanel(4); });

  BuildViewMenus(TopMenu(*this, "MnuView", "表示(&V)"));
  BuildToolMenus(TopMenu(*this, "MnuTool", "ツール(&T)"));

  popup_ = new QMenu("ポップアップメニュー", this);
  popup_->setObjectName("MnuPop");
  popup_->menuAction()->setObjectName("MnuPop");
  popup_->menuAction()->setVisible(false);
  OnSignal(Item(popup_, "MnuPopEsc", "コマンドの終了"), &QAction::triggered, [this] {
    for (const char* name : {"MnuPopHome", "MnuPopZoom", "MnuPopMove", "MnuPopExit"}) MenuItem(name)->setEnabled(true);
    Command4Click(0);
  });
  OnSignal(Item(popup_, "MnuPopHome", "Home"), &QAction::triggered, [this] { Command4Click(1); });
  OnSignal(Item(popup_, "MnuPopZoom", "Zoom"), &QAction::triggered, [this] { Command4Click(8); });
  OnSignal(Item(popup_, "MnuPopMove", "Move"), &QAction::triggered, [this] { Command4Click(9); });
  OnSignal(Item(popup_, "MnuPopPrint", "印刷"), &QAction::triggered, [this] { EnterPrint(); });
  OnSignal(Item(popup_, "MnuPopExit", "エディタへ戻る"), &QAction::triggered, [this] {
    Record(kStepReturn);
    close();
  });
}

void MdiKovrel::BuildViewMenus(QMenu* view) {
  QAction* g00 = Item(view, "MnuG00", "移動ライン(G00)", true);
  OnSignal(g00, &QAction::triggered, [this] {
    Record(kStepG00Lines);
    picture_->Redraw();
  });
  OnSignal(Item(view, "MnuBackColor", "バックカラー"), &QAction::triggered, [this] {
    Record(kStepBackColour);
    static QColor last = Qt::black;  // the dialog opens on its last colour
    const auto colour = frm_.services().prompter.ChooseColor(last);
    if (!colour) return;
    last = *colour;
    figure().LayerColor[0] = FromQColor(*colour);
    picture_->Redraw();
  });
  QAction* xy = Item(view, "MnuXYLine", "基準線", true);
  OnSignal(xy, &QAction::triggered, [this] {
    Record(kStepBaseLines);
    picture_->Redraw();
  });
  view->addSeparator();
  // Beyond the menus of the view: modal coordinates, one-digit words and R
  // arcs read as a machine reads them (remembered in the settings).
  QAction* machine = Item(view, "MnuMachineRead", "機械と同じに読む", true);
  machine->setChecked(ReadsLikeMachine(frm_.services().settings));
  OnSignal(machine, &QAction::triggered, [this, machine] { ReadLikeMachine(machine->isChecked()); });
  view->addSeparator();
  QAction* circles = Item(view, "MnuCircleOrLine(0)", "円弧をCIRCLEコードで作画", true);
  QAction* lines = Item(view, "MnuCircleOrLine(1)", "円弧を直線コードで作画", true);
  circles->setChecked(true);
  for (QAction* action : {circles, lines}) {
    OnSignal(action, &QAction::triggered, [this, circles, lines, action] {
      Record(kStepArcMode);
      // Both marks invert; the action's own click already inverted its mark.
      QAction* other = action == circles ? lines : circles;
      other->setChecked(!other->isChecked());
    });
  }
}

void MdiKovrel::BuildToolMenus(QMenu* tool) {
  QAction* check = Item(tool, "MnuCheckWindow", "座標チェック", true);
  OnSignal(check, &QAction::triggered, [this, check] {
    Record(kStepCheckWindow);
    ShowCheckWindow(check->isChecked());
  });
  QAction* layers = Item(tool, "MnuLaiyr", "レイヤー", true);
  OnSignal(layers, &QAction::triggered, [this, layers] {
    Record(kStepLayerWindow);
    ShowLayerWindow(layers->isChecked());
  });
  OnSignal(Item(tool, "MnuApSizuSave", "描画形状の線幅設定..."), &QAction::triggered, [this] {
    Record(kStepWidthTable);
    AptFrm editor(frm_.services(), this);
    frm_.services().prompter.RunDialog(editor);
  });
}

QAction* MdiKovrel::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

void MdiKovrel::Record(int item) { RecordStep(frm_.services().module, kGraphicMenu, item); }

DrawOptions MdiKovrel::Options() const {
  DrawOptions options;
  options.g00_lines = MenuItem("MnuG00")->isChecked();
  options.base_lines = MenuItem("MnuXYLine")->isChecked();
  options.arcs_as_lines = MenuItem("MnuCircleOrLine(1)")->isChecked();
  // The print panel shows the paper: white, and black with black ink.
  options.white_paper = !print_panel_->isHidden();
  options.monochrome = options.white_paper && print_panel_->BlackInk();
  return options;
}

void MdiKovrel::Open() {
  setWindowTitle(frm_.GraphicTitle());
  graph_mode_ = 0;
  FigureTables& tables = figure();
  ResetLayerColors(tables);
  const std::string colours = WorkPath(frm_.services().module.ProgDir, "\\LAYER.RGB");
  if (FileExists(colours)) {
    try {
      ReadLayerColors(tables, ReadFileBytes(colours));
    } catch (const std::exception&) {
      // An unreadable colour file keeps the default colours.
    }
  }
  MenuItem("MnuXYLine")->setChecked(GetBoolSetting(frm_.services().settings, kShellSection, "PzERo", false));
  // The print boxes hold their stored choices from the start, so that a
  // close of any panel stores them unchanged.
  print_panel_->LoadSettings(frm_.services().settings);
  show();
  picture_->setFocus();
  Command4Click(1);
}

void MdiKovrel::Command4Click(int index) {
  switch (index) {
    case 0:
      if (!print_panel_->isHidden()) LeavePrint();
      ComandCange();
      return;
    case 1: Home(figure(), box_); break;
    case 2:
      if (!ZoomIn(box_)) return;  // beyond the limits: nothing happens
      break;
    case 3:
      if (!ZoomOut(box_)) return;  // the widest view: nothing happens
      break;
    case 4: Pan(box_, 0, 1); break;
    case 5: Pan(box_, 0, -1); break;
    case 6: Pan(box_, -1, 0); break;
    case 7: Pan(box_, 1, 0); break;
    case 8:
      picture_->SetModeCursor(ZoomCursor());
      graph_mode_ = kModeZoom;
      return;
    case 9:
      picture_->SetModeCursor(Qt::SizeAllCursor);
      graph_mode_ = kModeMove;
      return;
    default: return;
  }
  picture_->Redraw();
}

void MdiKovrel::ComandCange() {
  for (const char* name : {"MnuFile", "MnuExchenge", "MnuEdit", "MnuTool", "MnuView", "MnuPopHome", "MnuPopZoom",
                           "MnuPopMove", "MnuPopExit"}) {
    MenuItem(name)->setEnabled(true);
  }
  scale_panel_->hide();
  move_panel_->hide();
  picture_->SetModeCursor(Qt::CrossCursor);
  command4_[8]->setEnabled(true);
  command4_[9]->setEnabled(true);
  graph_mode_ = 0;
  picture_->Redraw();
}

void MdiKovrel::MouseDown(const QPointF& world, Qt::MouseButton button, const QPoint& global) {
  if (button == Qt::RightButton) {
    popup_->popup(global);
    return;
  }
  if (button != Qt::LeftButton) return;
  if (graph_mode_ == kModeZoom) {
    CentreAt(box_, static_cast<float>(world.x()), static_cast<float>(world.y()));
    ZoomIn(box_);
    picture_->Redraw();
  } else if (graph_mode_ == kModeMove) {
    CentreAt(box_, static_cast<float>(world.x()), static_cast<float>(world.y()));
    picture_->Redraw();
  } else if (graph_mode_ == kModePrintOutline) {
    // The release of the click that printed is no coordinate check.
    release_ends_print_ = true;
    PrintAt(page_corner_);
  }
}

void MdiKovrel::MouseUp(const QPointF& world, Qt::MouseButton button) {
  const bool after_print = std::exchange(release_ends_print_, false);
  if (button != Qt::LeftButton || graph_mode_ != 0 || after_print) return;
  const auto measured =
      check_.Click(picks_, static_cast<float>(world.x()), static_cast<float>(world.y()), box_.ArcStep);
  if (!measured) return;
  if (check_frm_) check_frm_->Show(*measured);
  picture_->update();
  picture_->setFocus();
}

void MdiKovrel::MouseMove(const QPointF& world) {
  ShowPosition(world);
  if (graph_mode_ != kModePrint && graph_mode_ != kModePrintOutline) return;
  // The page outline follows the mouse; its top-left corner is the point.
  if (!std::isfinite(world.x()) || !std::isfinite(world.y())) return;
  picture_->setFocus();
  page_corner_ = world;
  graph_mode_ = kModePrintOutline;
  picture_->update();
}

void MdiKovrel::ShowPosition(const QPointF& world) {
  static const Mask mask = ParseMask("###0.0###");
  if (!std::isfinite(world.x()) || !std::isfinite(world.y())) {
    label1_->setText("X - Y -");
    return;
  }
  label1_->setText(QString::fromStdString(Joined("X", FormatMask(static_cast<float>(world.x()), mask), " Y",
                                                 FormatMask(static_cast<float>(world.y()), mask))));
}

namespace {

// Unloads a side window, which keeps its place in the settings.
template <typename SideWindow>
void CloseSideWindow(QPointer<SideWindow>& window) {
  if (!window) return;
  window->SaveSettings();
  delete window;
}

}  // namespace

void MdiKovrel::ShowLayerWindow(bool shown) {
  if (!shown) return CloseSideWindow(lair_);
  if (lair_) return;
  lair_ = new LairFrm(*this, frm_.services(), client_);
  const int width = lair_->width();
  client_->insertWidget(0, lair_);
  QList<int> sizes = client_->sizes();
  sizes[1] = std::max(1, sizes[1] - width);
  sizes[0] = width;
  client_->setSizes(sizes);
}

void MdiKovrel::ShowCheckWindow(bool shown) {
  if (!shown) return CloseSideWindow(check_frm_);
  if (check_frm_) return;
  check_frm_ = new CheckFrm(check_, frm_.services(), client_);
  client_->addWidget(check_frm_);
}

void MdiKovrel::CloseSideWindows() {
  ShowLayerWindow(false);
  ShowCheckWindow(false);
}

void MdiKovrel::closeEvent(QCloseEvent* event) {
  Guarded([this] { ReturnToEditor(); });
  frm_.show();
  event->accept();
}

void MdiKovrel::ReturnToEditor() {
  if (returned_) return;
  returned_ = true;
  FigureTables& tables = figure();
  EditServices& services = frm_.services();
  // Text goes back to the editor only when the view changed the figure:
  // looking at a drawing leaves the program byte for byte as it was. What
  // goes back is the outline G-code the user asked for, or the G-code the
  // edits rewrote in place as they went; the rapid-move tidy runs on that
  // text only, and the whole return is one load, one step of the undo
  // history. Hole data the edits rewrote in place stays as they wrote it.
  std::optional<std::string> written;
  if (HasWideLayers(tables) &&
      services.prompter.Message("線幅設定による描画形状をGコードへ置き換えますか", Buttons::kYesNo, Icon::kNone) ==
          kResultYes) {
    written = PictureGcode(tables);
  }
  try {
    WriteFileBytes(WorkPath(services.module.ProgDir, "\\LAYER.RGB"), LayerColorsText(tables));
  } catch (const Failure& failure) {
    frm_.ShowOutcome(FailureOutcome(std::make_exception_ptr(failure)));
  }
  if (written || (figure_changed_ && tables.LastHole() < 0)) {
    frm_.RunHandOff(std::nullopt, [&written](std::string_view input) {
      return ConversionResult(TidyRapidMoves(written ? *written : input));
    });
  }
  tables.HolePoints.clear();
  tables.FigElems.clear();
  SaveBoolSetting(services.settings, kShellSection, "Lairfrm", MenuItem("MnuLaiyr")->isChecked());
  SaveBoolSetting(services.settings, kShellSection, "Checkfrm", MenuItem("MnuCheckWindow")->isChecked());
  SaveBoolSetting(services.settings, kShellSection, "PzERo", MenuItem("MnuXYLine")->isChecked());
  CloseSideWindows();
}

// ---------------------------------------------------------- the menu item

void WireGraphicCommands(EditFrm& frm) {
  frm.WireCommand("MnuGrph", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 30})) return;
    bool opened = false;
    FigureReading reading;
    reading.like_machine = ReadsLikeMachine(frm.services().settings);
    const CommandOutcome outcome = frm.FinishExport([&](std::string_view input) -> std::string {
      if (LoadFigure(frm.figure(), input, reading) == FigureLoad::kMixed) return std::string(kMixedFigureMessage);
      opened = true;
      return {};
    });
    if (!opened || outcome.kind != CommandOutcome::Kind::kConverted) return;
    ShowGraphicView(frm)->ShowReadingNote(reading);
  });
}

MdiKovrel* ShowGraphicView(EditFrm& frm) {
  auto* view = new MdiKovrel(frm);
  frm.SetGraphicWindow(view);
  view->Open();
  frm.hide();
  return view;
}

void MdiKovrel::ShowReadingNote(const FigureReading& reading) {
  if (reading.like_machine || reading.machine_only_fields == 0) {
    // The status line is there only while it has something to say.
    if (auto* bar = findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly)) bar->hide();
    return;
  }
  statusBar()->show();
  statusBar()->showMessage(QString("%1 行は G00〜G03 の無い移動です。描くには 表示 › 機械と同じに読む を選んでください")
                               .arg(reading.machine_only_fields));
}

void MdiKovrel::ReadLikeMachine(bool on) {
  SaveBoolSetting(frm_.services().settings, kGraphicSection, kMachineReadingKey, on);
  // The figure is read again from the document, which every edit keeps in
  // step with it.
  FigureReading reading;
  reading.like_machine = on;
  FigureTables& tables = figure();
  const std::string text = WithCrLfLineEnds(frm_.editor()->DocumentText());
  if (LoadFigure(tables, text, reading) == FigureLoad::kMixed) {
    frm_.services().prompter.Message(QString::fromUtf8(kMixedFigureMessage.data(), kMixedFigureMessage.size()),
                                     Buttons::kOk, Icon::kNone);
  }
  check_ = CoordinateCheck{};
  ShowReadingNote(reading);
  Command4Click(1);
}

}  // namespace kovrel
