// The graphic view: the host window MDIKovrel with its menus and popup
// menu, the view form CvGrph with the drawing surface Picture1, the button
// bar Command4(0..9) and the read-out Label1; opened from the editor's
// グラフィック(&G) and left by エディタへ戻る, which hands the figure back.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QWidget>

#include <array>
#include <functional>

#include "graphic/view.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace kovrel {

class EditFrm;
class MdiKovrel;

/// Connects MnuGrph of the editor.
void WireGraphicCommands(EditFrm& frm);

/// Picture1: shows the drawing and passes keys and the mouse to the view.
class Picture : public QWidget {
  Q_OBJECT

 public:
  Picture(MdiKovrel& view, QWidget* parent);
  /// Draws the figure anew (GrSub).
  void Redraw();
  /// The world point under a point of the widget.
  QPointF ToWorld(const QPointF& point) const;

 protected:
  // Every event override that can fail runs inside the windows' guard
  // (paintEvent only copies the finished image).
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The keys of the buttons; false for a key the view does not use.
  bool KeyPress(QKeyEvent* event);

  MdiKovrel& view_;
  QImage image_;
  Window window_;
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
  /// Runs an event handler's work inside the windows' guard.
  void Guarded(const std::function<void()>& body);
  ViewBox& box() { return box_; }
  const PickTable& picks() const { return picks_; }
  DrawOptions Options() const;
  int GraphMode() const { return graph_mode_; }
  Picture* picture() const { return picture_; }
  QAction* MenuItem(const QString& name) const;

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
  void Record(int item);
  void MouseDown(const QPointF& world, Qt::MouseButton button, const QPoint& global);
  void ShowPosition(const QPointF& world);
  void ReturnToEditor();

  EditFrm& frm_;
  ViewBox box_;
  PickTable picks_;
  int graph_mode_ = 0;
  QWidget* cv_grph_ = nullptr;
  Picture* picture_ = nullptr;
  QLabel* label1_ = nullptr;
  std::array<QPushButton*, 10> command4_{};
  QMenu* popup_ = nullptr;
  bool returned_ = false;
  bool figure_changed_ = false;
};

}  // namespace kovrel
