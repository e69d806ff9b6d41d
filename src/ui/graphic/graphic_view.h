// The graphic view: the host window MDIKovrel with its menus and popup
// menu, the view form CvGrph with the drawing surface Picture1, the button
// bar Command4(0..9), the read-out Label1 and the panels of the edits and of
// printing; the layer window LairFrm docks at its left and the coordinate
// window CheckFrm at its right. Opened from the editor's グラフィック(&G)
// and left by エディタへ戻る, which hands the figure back.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "core/hand_off.h"
#include "graphic/coordinate_check.h"
#include "graphic/figure_edits.h"
#include "graphic/view.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QSplitter;

namespace kovrel {

class CheckFrm;
class EditFrm;
class LairFrm;
class MdiKovrel;
class PrintPanel;

/// Connects MnuGrph of the editor.
void WireGraphicCommands(EditFrm& frm);

/// Opens the graphic view on the figure the editor's tables hold and hides
/// the editor.
MdiKovrel* ShowGraphicView(EditFrm& frm);

/// The settings of the view kept by the view itself.
inline constexpr std::string_view kGraphicSection = "Grph";
inline constexpr std::string_view kMachineReadingKey = "MachineRead";

/// GraphMode: 0 plain, or the mode a button started (zoom or move by
/// click); the print placement with its page outline hidden or shown.
inline constexpr int kModeZoom = 708;
inline constexpr int kModeMove = 709;
inline constexpr int kModePrint = 9000;
inline constexpr int kModePrintOutline = 9001;

/// Picture1: shows the drawing and passes keys and the mouse to the view.
/// The markers of the coordinate check and the page outline of the print
/// placement are drawn over the drawing.
class Picture : public QWidget {
  Q_OBJECT

 public:
  Picture(MdiKovrel& view, QWidget* parent);
  ~Picture() override;
  /// Draws the figure anew (GrSub). A large figure is drawn off the event
  /// loop into an image of its own, with the busy pointer shown: keys and
  /// the mouse stay answered, and a newer redraw stops the one in progress.
  /// The snap points follow when the drawing is shown.
  void Redraw();
  /// True while a drawing runs off the event loop.
  bool Drawing() const { return drawing_; }
  /// Waits until the drawing in progress is shown (tests, benchmarks).
  void WaitForDrawing();
  /// The pointer of the view's mode; the busy pointer takes its place while
  /// a drawing runs.
  void SetModeCursor(const QCursor& cursor);
  /// The world point under a point of the widget, and back.
  QPointF ToWorld(const QPointF& point) const;
  QPointF FromWorld(double x, double y) const;
  /// The drawing without the markers and the outline.
  const QImage& image() const { return image_; }

 protected:
  // Every event override that can fail runs inside the windows' guard
  // (paintEvent copies the finished image and guards its overlays).
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The keys of the buttons; false for a key the view does not use.
  bool KeyPress(QKeyEvent* event);
  void DrawOverlays(QPainter& painter);

  // The result of a drawing, shown when it is the latest one asked for.
  void Show(unsigned generation, QImage image, PickTable picks, Window window);

  MdiKovrel& view_;
  QImage image_;
  Window window_;
  QCursor mode_cursor_;
  bool drawing_ = false;
  unsigned generation_ = 0;  // of the latest drawing asked for
  std::shared_ptr<std::atomic<bool>> cancel_;  // of the drawing in progress
};

class MdiKovrel : public QMainWindow {
  Q_OBJECT

 public:
  explicit MdiKovrel(EditFrm& frm);

  /// Loads the colours, fits the figure and shows the view (the form start).
  void Open();
  /// The buttons of the bar: 0 Esc ... 9 Move.
  void Command4Click(int index);
  /// The end of a command (ComandCange).
  void ComandCange();

  FigureTables& figure();
  /// Marks the figure as changed by the view (the figure edits call it), so
  /// that the return hands text back to the editor.
  void FigureChanged() { figure_changed_ = true; }
  /// Runs an event handler's work inside the windows' guard; a failure is
  /// reported in a message box titled `title`.
  void Guarded(const std::function<void()>& body, const QString& title = QStringLiteral("Kovrel"));
  ViewBox& box() { return box_; }
  const PickTable& picks() const { return picks_; }
  const CoordinateCheck& check() const { return check_; }
  DrawOptions Options() const;
  int GraphMode() const { return graph_mode_; }
  Picture* picture() const { return picture_; }
  QAction* MenuItem(const QString& name) const;
  /// The status line's note on a program read the plain way that holds
  /// moves without a G00-G03 word; nothing when there are none.
  void ShowReadingNote(const FigureReading& reading);
  /// The view setting 機械と同じに読む: remembered, and the figure read
  /// again from the document.
  void ReadLikeMachine(bool on);
  /// The printer of the view (a PDF file when no printer is installed).
  QPrinter& printer();
  /// The page outline's top-left corner in the print placement.
  QPointF PageCorner() const { return page_corner_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class Picture;
  // Connects a control's signal to `body`, run inside the guard.
  template <typename Sender, typename Signal>
  void OnSignal(Sender* sender, Signal signal, std::function<void()> body) {
    connect(sender, signal, this, [this, body = std::move(body)] { Guarded(body); });
  }
  void BuildMenus();
  void BuildViewMenus(QMenu* view);
  void BuildToolMenus(QMenu* tool);
  void Record(int item);
  void MouseDown(const QPointF& world, Qt::MouseButton button, const QPoint& global);
  void MouseUp(const QPointF& world, Qt::MouseButton button);
  void MouseMove(const QPointF& world);
  void ShowPosition(const QPointF& world);
  void ReturnToEditor();

  // The figure edits (graphic_edits.cpp).
  QWidget* BuildEditPanel(int index);
  void Mirr(int index);
  void ShowEditPanel(int index);
  void RunScale();
  void RunMove();
  // Rewrites the document and the tables by `edit`; true when it was done.
  bool ApplyEdit(const FigureEdit& edit, std::optional<MacroStepRef> step);
  /// Any Cmdclose: hides the print and edit panels, keeps the print
  /// settings and ends the command.
  void CloseCommandPanels();
  void HidePanels();

  // The print placement (print_placement.cpp).
  void EnterPrint();
  void LeavePrint();
  void PrintAt(const QPointF& corner);
  void ApplyPaper();
  void ApplyScale();

  // The image export (image_export.cpp).
  void SaveImage();
  void CopyImage();

  // The side windows.
  void ShowLayerWindow(bool shown);
  void ShowCheckWindow(bool shown);
  void CloseSideWindows();

  EditFrm& frm_;
  ViewBox box_;
  PickTable picks_;
  CoordinateCheck check_;
  int graph_mode_ = 0;
  QSplitter* client_ = nullptr;
  QWidget* cv_grph_ = nullptr;
  Picture* picture_ = nullptr;
  QLabel* label1_ = nullptr;
  std::array<QPushButton*, 10> command4_{};
  QWidget* scale_panel_ = nullptr;  // Picture3(4)
  QWidget* move_panel_ = nullptr;   // Picture3(5)
  QLineEdit* scale_text_ = nullptr; // XText(1)
  QLineEdit* move_x_ = nullptr;     // XText(2)
  QLineEdit* move_y_ = nullptr;     // YText(2)
  PrintPanel* print_panel_ = nullptr;  // Picture3(2)
  QPointF page_corner_;
  QPointer<LairFrm> lair_;
  QPointer<CheckFrm> check_frm_;
  QMenu* popup_ = nullptr;
  QString last_folder_;
  bool release_ends_print_ = false;
  bool returned_ = false;
  bool figure_changed_ = false;
};

}  // namespace kovrel
