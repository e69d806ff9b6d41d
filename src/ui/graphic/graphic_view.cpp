// MDIKovrel, CvGrph and Picture1: opening, drawing, zoom and pan, and the
// return to the editor.
#include "ui/graphic/graphic_view.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "core/append.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/number_format.h"
#include "convert/gcode_sort.h"
#include "core/settings_store.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/platform/painter_canvas.h"
#include "ui/platform/prompter.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

// GraphMode: 0 plain, or the mode a button started.
constexpr int kModeZoom = 708;
constexpr int kModeMove = 709;

// The macro steps ("Graphic.Menu") the view's menus record.
constexpr int kStepG00Lines = 10;
constexpr int kStepBackColour = 11;
constexpr int kStepBaseLines = 12;
constexpr int kStepArcMode = 13;
constexpr int kStepReturn = 999;

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
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(64, 64);
}

void Picture::Redraw() {
  if (width() <= 0 || height() <= 0) return;
  image_ = QImage(size(), QImage::Format_RGB32);
  QPainter painter(&image_);
  PainterCanvas canvas(painter, width(), height());
  GrSub(view_.figure(), view_.box_, view_.Options(), canvas, view_.picks_);
  window_ = WindowFor(view_.box_, width(), height());
  update();
}

QPointF Picture::ToWorld(const QPointF& point) const {
  const double scale = width() / static_cast<double>(window_.right - window_.left);
  return {window_.left + point.x() / scale, window_.top - point.y() / scale};
}

void Picture::paintEvent(QPaintEvent*) {
  // Drawing the finished image cannot fail; the drawing itself (GrSub) runs
  // in Redraw, inside the guard.
  QPainter painter(this);
  if (image_.size() != size()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, image_);
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
  view_.Guarded([&] { view_.ShowPosition(ToWorld(event->position())); });
}

// --------------------------------------------------------------- MDIKovrel

MdiKovrel::MdiKovrel(EditFrm& frm) : QMainWindow(nullptr), frm_(frm) {
  setObjectName("MDIKovrel");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(frm.size().expandedTo(QSize(800, 600)));

  cv_grph_ = new QWidget(this);
  cv_grph_->setObjectName("CvGrph");
  setCentralWidget(cv_grph_);
  auto* bar = new QWidget(cv_grph_);
  bar->setObjectName("Picture2");
  auto* bar_layout = new QHBoxLayout(bar);
  bar_layout->setContentsMargins(2, 2, 2, 2);
  const char* captions[] = {"Esc", "Home", "PgUp", "PgDn", "↑", "↓", "←", "→", "Zoom", "Move"};
  for (int i = 0; i < 10; ++i) {
    auto* button = new QPushButton(captions[i], bar);
    button->setObjectName(QString("Command4(%1)").arg(i));
    button->setFocusPolicy(Qt::NoFocus);
    OnSignal(button, &QPushButton::clicked, [this, i] { Command4Click(i); });
    bar_layout->addWidget(button);
    command4_[static_cast<std::size_t>(i)] = button;
  }
  label1_ = new QLabel("X000.000 : Y000.000", bar);
  label1_->setObjectName("Label1");
  label1_->setMinimumWidth(180);
  bar_layout->addWidget(label1_);
  bar_layout->addStretch();
  picture_ = new Picture(*this, cv_grph_);
  auto* layout = new QVBoxLayout(cv_grph_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(picture_, 1);
  BuildMenus();
}

FigureTables& MdiKovrel::figure() { return frm_.figure(); }

void MdiKovrel::Guarded(const std::function<void()>& body) { Guard(frm_.services().prompter, body); }

void MdiKovrel::BuildMenus() {
  const auto menu = [this](const char* name, const char* caption) {
    QMenu* m = menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
  };
  const auto item = [this](QMenu* parent, const QString& name, const char* caption, bool enabled, bool checkable = false) {
    QAction* action = parent->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    action->setCheckable(checkable);
    return action;
  };
  QMenu* file = menu("MnuFile", "ファイル(&F)");
  item(file, "MnuBmpSave", "ビットマップ形式で保存...", false);
  item(file, "MnuClipSave", "クリップボードへコピー", false);
  file->addSeparator();
  item(file, "MnuPrintSet", "プリンタの設定...", false);
  item(file, "MnuPrint", "印刷", false);
  file->addSeparator();
  QAction* exit = item(file, "MnuExit", "エディタへ戻る", true);
  OnSignal(exit, &QAction::triggered, [this] {
    Record(kStepReturn);
    close();
  });

  QMenu* edit = menu("MnuEdit", "編集(&E)");
  QMenu* exchange = edit->addMenu("軸変換");
  exchange->setObjectName("MnuExchenge");
  exchange->menuAction()->setObjectName("MnuExchenge");
  item(exchange, "MnuMirr(0)", "Xミラー", false);
  item(exchange, "MnuMirr(1)", "Yミラー", false);
  item(exchange, "MnuMirr(2)", "軸交換", false);
  item(edit, "MnuMove", "移動...", false);
  item(edit, "MnuRate", "倍率変換...", false);

  QMenu* view = menu("MnuView", "表示(&V)");
  QAction* g00 = item(view, "MnuG00", "移動ライン(G00)", true, true);
  OnSignal(g00, &QAction::triggered, [this] {
    Record(kStepG00Lines);
    picture_->Redraw();
  });
  OnSignal(item(view, "MnuBackColor", "バックカラー", true), &QAction::triggered, [this] {
    Record(kStepBackColour);
    static QColor last = Qt::black;  // the dialog opens on its last colour
    const auto colour = frm_.services().prompter.ChooseColor(last);
    if (!colour) return;
    last = *colour;
    figure().LayerColor[0] = FromQColor(*colour);
    picture_->Redraw();
  });
  QAction* xy = item(view, "MnuXYLine", "基準線", true, true);
  OnSignal(xy, &QAction::triggered, [this] {
    Record(kStepBaseLines);
    picture_->Redraw();
  });
  view->addSeparator();
  QAction* circles = item(view, "MnuCircleOrLine(0)", "円弧をCIRCLEコードで作画", true, true);
  QAction* lines = item(view, "MnuCircleOrLine(1)", "円弧を直線コードで作画", true, true);
  circles->setChecked(true);
  for (QAction* action : {circles, lines}) {
    OnSignal(action, &QAction::triggered, [this, circles, lines, action] {
      Record(kStepArcMode);
      // Both marks invert; the action's own click already inverted its mark.
      QAction* other = action == circles ? lines : circles;
      other->setChecked(!other->isChecked());
    });
  }

  QMenu* tool = menu("MnuTool", "ツール(&T)");
  item(tool, "MnuCheckWindow", "座標チェック", false, true);
  item(tool, "MnuLaiyr", "レイヤー", false, true);
  item(tool, "MnuApSizuSave", "描画形状の線幅設定...", false);

  popup_ = new QMenu("ポップアップメニュー", this);
  popup_->setObjectName("MnuPop");
  popup_->menuAction()->setObjectName("MnuPop");
  popup_->menuAction()->setVisible(false);
  OnSignal(item(popup_, "MnuPopEsc", "コマンドの終了", true), &QAction::triggered, [this] {
    for (const char* name : {"MnuPopHome", "MnuPopZoom", "MnuPopMove", "MnuPopExit"}) MenuItem(name)->setEnabled(true);
    Command4Click(0);
  });
  OnSignal(item(popup_, "MnuPopHome", "Home", true), &QAction::triggered, [this] { Command4Click(1); });
  OnSignal(item(popup_, "MnuPopZoom", "Zoom", true), &QAction::triggered, [this] { Command4Click(8); });
  OnSignal(item(popup_, "MnuPopMove", "Move", true), &QAction::triggered, [this] { Command4Click(9); });
  item(popup_, "MnuPopPrint", "印刷", false);
  OnSignal(item(popup_, "MnuPopExit", "エディタへ戻る", true), &QAction::triggered, [this] {
    Record(kStepReturn);
    close();
  });
}

QAction* MdiKovrel::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

void MdiKovrel::Record(int item) { RecordStep(frm_.services().module, kGraphicMenu, item); }

DrawOptions MdiKovrel::Options() const {
  DrawOptions options;
  options.g00_lines = MenuItem("MnuG00")->isChecked();
  options.base_lines = MenuItem("MnuXYLine")->isChecked();
  options.arcs_as_lines = MenuItem("MnuCircleOrLine(1)")->isChecked();
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
  show();
  picture_->setFocus();
  Command4Click(1);
}

void MdiKovrel::Command4Click(int index) {
  switch (index) {
    case 0: ComandCange(); return;
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
      picture_->setCursor(ZoomCursor());
      graph_mode_ = kModeZoom;
      return;
    case 9:
      picture_->setCursor(Qt::SizeAllCursor);
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
  picture_->setCursor(Qt::CrossCursor);
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
  }
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
  // goes back is the outline G-code the user asked for, or the hole data of
  // an edited drill figure, or the document the edits rewrote as they went;
  // the rapid-move tidy runs on that text only, and the whole return is one
  // load, one step of the undo history.
  std::optional<std::string> written;
  if (HasWideLayers(tables) &&
      services.prompter.Message("線幅設定による描画形状をGコードへ置き換えますか", Buttons::kYesNo, Icon::kNone) ==
          kResultYes) {
    written = PictureGcode(tables);
  } else if (figure_changed_ && tables.LastHole() > -1) {
    written = RegenerateHoleData(tables);
  }
  try {
    WriteFileBytes(WorkPath(services.module.ProgDir, "\\LAYER.RGB"), LayerColorsText(tables));
  } catch (const Failure& failure) {
    frm_.ShowOutcome(FailureOutcome(std::make_exception_ptr(failure)));
  }
  if (written || figure_changed_) {
    frm_.RunHandOff(std::nullopt, [&written](std::string_view input) {
      return ConversionResult(TidyRapidMoves(written ? *written : input));
    });
  }
  tables.HolePoints.clear();
  tables.FigElems.clear();
  SaveBoolSetting(services.settings, kShellSection, "Lairfrm", MenuItem("MnuLaiyr")->isChecked());
  SaveBoolSetting(services.settings, kShellSection, "Checkfrm", MenuItem("MnuCheckWindow")->isChecked());
  SaveBoolSetting(services.settings, kShellSection, "PzERo", MenuItem("MnuXYLine")->isChecked());
}

// ---------------------------------------------------------- the menu item

void WireGraphicCommands(EditFrm& frm) {
  frm.WireCommand("MnuGrph", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 30})) return;
    bool opened = false;
    const CommandOutcome outcome = frm.FinishExport([&frm, &opened](std::string_view input) -> std::string {
      if (LoadFigure(frm.figure(), input) == FigureLoad::kMixed) return std::string(kMixedFigureMessage);
      opened = true;
      return {};
    });
    if (!opened || outcome.kind != CommandOutcome::Kind::kConverted) return;
    auto* view = new MdiKovrel(frm);
    frm.SetGraphicWindow(view);
    view->Open();
    frm.hide();
  });
}

}  // namespace kovrel
