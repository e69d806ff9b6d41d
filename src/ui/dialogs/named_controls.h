// Controls made with their design names as objectName (so tests and the
// macro playback find them by name), for the text-tool windows.
#pragma once

#include <QPushButton>
#include <QString>

namespace kovrel {

/// `widget` with `name` as its objectName.
template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

/// "Name(index)", the name of an element of a control array.
inline QString Indexed(const char* name, int index) { return QString("%1(%2)").arg(name).arg(index); }

/// A command button that Enter does not press by default.
inline QPushButton* CommandButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace kovrel
