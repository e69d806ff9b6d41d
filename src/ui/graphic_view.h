// The graphic view: the host window MDIKovrel with its menus and popup
// menu, the view form CvGrph with the drawing surface Picture1, the button
// bar Command4(0..9) and the read-out Label1; opened from the editor's
// グラフィック(&G) and left by エディタへ戻る, which hands the figure back.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QWidget>

#include <array>

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
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
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
};

}  // namespace kovrel
