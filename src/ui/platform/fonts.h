// The Japanese font names that settings and documents use ("ＭＳ 明朝" and
// friends) mapped onto the Japanese fonts installed here (IPA fonts).
#pragma once

#include <QFont>

#include "shell/startup.h"

namespace kovrel {

/// Registers the substitutes once; safe to call again.
void RegisterJapaneseFontSubstitutes();

/// The QFont of an editor font setting.
QFont ToQFont(const EditorFont& font);

/// The editor font setting of a QFont.
EditorFont FromQFont(const QFont& font);

}  // namespace kovrel
