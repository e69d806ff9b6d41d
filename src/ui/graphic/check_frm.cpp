// The coordinate window.
#include "ui/graphic/check_frm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/settings_store.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/platform/twips.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

QLabel* Value(const QString& name, QWidget* parent) {
  auto* label = new QLabel("0.000", parent);
  label->setObjectName(name);
  label->setMinimumWidth(90);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  return label;
}

// A frame of captioned values, one a row.
QGroupBox* Frame(const QString& name, const QString& caption, std::initializer_list<std::pair<const char*, QLabel*>> rows,
                 QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  auto* layout = new QGridLayout(frame);
  int row = 0;
  for (const auto& [text, label] : rows) {
    label->setParent(frame);
    layout->addWidget(new QLabel(text, frame), row, 0);
    layout->addWidget(label, row++, 1);
  }
  return frame;
}

}  // namespace

CheckFrm::CheckFrm(CoordinateCheck& check, EditServices& services, QWidget* parent)
    : QWidget(parent), check_(check), services_(services) {
  setObjectName("CheckFrm");
  setWindowTitle("座標");
  for (int i = 0; i < 3; ++i) {
    x_label_[static_cast<std::size_t>(i)] = Value(QString("XLabel(%1)").arg(i), this);
    y_label_[static_cast<std::size_t>(i)] = Value(QString("YLabel(%1)").arg(i), this);
  }
  for (int i = 0; i < 6; ++i) p_label_[static_cast<std::size_t>(i)] = Value(QString("PLabel(%1)").arg(i), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(new QLabel("座標", this));
  layout->addWidget(Frame("Frame3(0)", "ﾎﾟｲﾝﾄ(1)", {{"X=", x_label_[1]}, {"Y=", y_label_[1]}}, this));
  layout->addWidget(Frame("Frame3(1)", "ﾎﾟｲﾝﾄ(2)", {{"X=", x_label_[0]}, {"Y=", y_label_[0]}}, this));
  layout->addWidget(Frame("Frame3(2)", "1-2ﾎﾟｲﾝﾄ間情報",
                          {{"CX=", p_label_[0]},
                           {"CY=", p_label_[1]},
                           {"I=", p_label_[2]},
                           {"J=", p_label_[3]},
                           {"D=", p_label_[4]},
                           {"A=", p_label_[5]}},
                          this));
  QGroupBox* counter = Frame("Frame1(3)", "ｶｳﾝﾀｰ", {{"X=", x_label_[2]}, {"Y=", y_label_[2]}}, this);
  auto* counter_layout = static_cast<QGridLayout*>(counter->layout());
  for (int axis = 0; axis < 2; ++axis) {
    auto* reset = new QPushButton(axis == 0 ? "X0" : "Y0", counter);
    reset->setObjectName(QString("Command7(%1)").arg(axis));
    reset->setAutoDefault(false);
    counter_layout->addWidget(reset, axis, 2);
    connect(reset, &QPushButton::clicked, this, [this, axis] { Guard(services_.prompter, [&] { ResetCounter(axis); }); });
  }
  layout->addWidget(counter);
  layout->addStretch();
}

void CheckFrm::Show(const Measurement& measured) {
  const CheckTexts texts = FormatCheck(measured, check_.origin_x, check_.origin_y);
  const auto set = [](QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); };
  x_label_[0]->setText(x_label_[1]->text());
  y_label_[0]->setText(y_label_[1]->text());
  set(x_label_[1], texts.x);
  set(y_label_[1], texts.y);
  set(x_label_[2], texts.counter_x);
  set(y_label_[2], texts.counter_y);
  set(p_label_[0], texts.cx);
  set(p_label_[1], texts.cy);
  set(p_label_[2], texts.i);
  set(p_label_[3], texts.j);
  set(p_label_[4], texts.d);
  set(p_label_[5], texts.a);
}

void CheckFrm::ResetCounter(int axis) {
  // The origin is the number the point's label shows.
  const auto& labels = axis == 0 ? x_label_ : y_label_;
  labels[2]->setText("0.0000");
  (axis == 0 ? check_.origin_x : check_.origin_y) = ToSingle(ReadNumber(labels[1]->text().toStdString()));
}

void CheckFrm::SaveSettings() {
  SaveSingleSetting(services_.settings, kShellSection, "CheckLeft", static_cast<float>(PixelsToTwips(x())));
  SaveSingleSetting(services_.settings, kShellSection, "CheckTop", static_cast<float>(PixelsToTwips(y())));
}

}  // namespace kovrel
