// CheckFrm ("座標"): the coordinate window docked at the right of the view.
// It shows the last snapped point, the one before, what lies between them
// (midpoint, offsets, distance, angle) and the last point relative to the
// counter's origin, which Command7(0) and Command7(1) set.
#pragma once

#include <QWidget>

#include <array>

#include "graphic/coordinate_check.h"

class QLabel;

namespace kovrel {

struct EditServices;

class CheckFrm : public QWidget {
  Q_OBJECT

 public:
  /// `check` keeps the counter's origin.
  CheckFrm(CoordinateCheck& check, EditServices& services, QWidget* parent);
  /// Shows a measured point; the point shown before becomes point 2.
  void Show(const Measurement& measured);
  /// Stores the window's place (CheckLeft, CheckTop).
  void SaveSettings();

 private:
  void ResetCounter(int axis);

  CoordinateCheck& check_;
  EditServices& services_;
  std::array<QLabel*, 3> x_label_{};  // XLabel(0..2)
  std::array<QLabel*, 3> y_label_{};  // YLabel(0..2)
  std::array<QLabel*, 6> p_label_{};  // PLabel(0..5)
};

}  // namespace kovrel
