// Reading DXF drawings: the (code, value) groups line by line, whatever the
// line ends (CR LF, lone CR or lone LF); the header variable $UCSORG; and
// the entities of the ENTITIES section, each with its groups, as the DXF to
// G-code and DXF to hole data conversions trace them. A text that ends
// before its EOF group (no ENTITIES section, a file cut inside an entity, no
// EOF) is the failure 62.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/hand_off.h"
#include "core/text_reader.h"

namespace kovrel {

/// One group: its code and its value line as it stands.
struct DxfGroup {
  int code = 0;
  std::string_view value;
};

/// Reads groups: a code line (blank lines before it are skipped; a line
/// that is no whole number gives the code -1), then the value line.
class DxfGroupReader {
 public:
  explicit DxfGroupReader(std::string_view text) : lines_(text, true) {}
  /// The reader keeps a view of the text: it may not be a temporary.
  explicit DxfGroupReader(std::string&& text) = delete;

  /// The next group. Throws Failure 62 when the text ends first.
  DxfGroup Next();

 private:
  LineReader lines_;
};

/// The direction of an entity's extrusion (groups 210, 220, 230; (0, 0, 1)
/// when absent): along +Z, along -Z (the entity's own coordinates are then
/// mirrored in X), or any other.
enum class DxfExtrusion { kUp, kDown, kOther };

/// The result of a conversion of a drawing: `text` when it `found` what it
/// converts, else nothing to convert; with `skipped` entities left out for
/// their extrusion, a message says how many.
ConversionResult DrawingResult(std::string text, bool found, int skipped);

/// One entity: its name and its groups up to the next group 0.
struct DxfEntity {
  std::string_view name;
  std::vector<DxfGroup> groups;

  /// The value of the first group `code`, if there is one.
  const DxfGroup* Find(int code) const;
  /// The number of the first group `code`; `absent` when there is none.
  /// Throws Failure 6 for a number beyond a double's range.
  double Number(int code, double absent = 0) const;
  /// The bit flags of group `code` (70): the integer it holds, 0 when it is
  /// absent or no integer a flag group can hold.
  unsigned Flags(int code) const;
  DxfExtrusion Extrusion() const;
};

/// The entities of a drawing's ENTITIES section, in file order. Entities of
/// the paper space (group 67 = 1) are left out: they lay out a sheet, they
/// are not the drawing.
class DxfEntityReader {
 public:
  /// Reads the header up to the ENTITIES section. Throws Failure 62 when
  /// there is none.
  explicit DxfEntityReader(std::string_view text);
  /// The reader keeps a view of the text: it may not be a temporary.
  explicit DxfEntityReader(std::string&& text) = delete;

  /// The next entity; false once the section has ended and the file's EOF
  /// group was read. Throws Failure 62 when the text ends before.
  bool Next(DxfEntity& entity);

  /// $UCSORG: the origin of the drawing's user coordinates, (0, 0) when
  /// the header has none.
  double origin_x = 0, origin_y = 0;

 private:
  // Reads the groups up to the file's EOF group.
  void ReadToEof();

  DxfGroupReader groups_;
  DxfGroup next_;  // the group 0 that starts the next entity
  bool done_ = false;
};

}  // namespace kovrel
