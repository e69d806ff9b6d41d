// Qt's own texts in Japanese: the standard dialogs (open, save, font,
// colour, printer) and Qt's messages speak the language of the menus.
#pragma once

namespace kovrel {

/// Loads Qt's Japanese translation into the running application and makes
/// Japanese the default locale; false when the translation is not
/// installed (the dialogs then stay in English).
bool InstallJapaneseTranslation();

}  // namespace kovrel
