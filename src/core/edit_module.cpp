// The recording hook and the icon counter of the shared state.
#include "core/edit_module.h"

namespace kovrel {

void RecordStep(EditModule& module, std::string_view kind, int item) {
  if (module.MacroCount < 0 || module.MacroCount >= EditModule::kMacroCapacity) return;
  module.MacroSteps[static_cast<std::size_t>(module.MacroCount)] = MacroStep{std::string(kind), std::to_string(item)};
  ++module.MacroCount;
}

void AdvanceIconCount(EditModule& module) {
  module.IconCount = module.IconCount >= 5 ? 1 : static_cast<std::int16_t>(module.IconCount + 1);
}

}  // namespace kovrel
