// What the format detection found, as the parameter windows NC_FMT, GAI_FMT
// and Ruta_FMT show it under their unit options: the line that says what
// the header states and where (Label2), the inch box that multiplies every
// coordinate by 25.4 (Check1, ticked when the header says inches) and the
// warning for inch data (Label3). A window opens with the detected option
// selected only when the header states the format; the user can always
// change it.
#pragma once

#include <QWidget>

#include <optional>

#include "detect/detect_report.h"
#include "detect/format_detect.h"

class QCheckBox;

namespace kovrel {

class EditFrm;

/// The detection of the document the window was opened on.
FormatDetection DetectDocument(EditFrm& frm);

/// The option a window selects at opening: the detected one when the
/// header states the format, else the window's default.
template <typename T, std::size_t N>
int OpeningIndex(const ChoiceTable<T, N>& table, const std::optional<T>& detected, const FormatDetection& found,
                 const T& default_value) {
  const bool stated = detected && found.confidence == Confidence::kHeader;
  return ChoiceIndex(table, stated ? *detected : default_value);
}

class DetectedFormatPanel : public QWidget {
  Q_OBJECT

 public:
  DetectedFormatPanel(const FormatDetection& found, FormatWindowKind window, QWidget* parent);

  /// Whether the coordinates are read as inches.
  bool Inch() const;

 private:
  QCheckBox* inch_ = nullptr;
};

}  // namespace kovrel
