// The captions of a conversion's choice table as the parameter windows show
// them on their option buttons, in the table's order.
#pragma once

#include <QString>
#include <QStringList>

#include "core/named_choice.h"

namespace kovrel {

template <typename T, std::size_t N>
QStringList Captions(const ChoiceTable<T, N>& table) {
  QStringList captions;
  for (const NamedChoice<T>& choice : table) {
    captions << QString::fromUtf8(choice.caption.data(), static_cast<qsizetype>(choice.caption.size()));
  }
  return captions;
}

}  // namespace kovrel
