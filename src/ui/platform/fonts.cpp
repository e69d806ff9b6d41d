// Font substitutes and conversions.
#include "ui/platform/fonts.h"

#include <QStringList>

namespace kovrel {

void RegisterJapaneseFontSubstitutes() {
  static const bool done = [] {
    const QStringList mincho = {"IPAMincho", "IPA明朝", "IPAexMincho", "Noto Serif CJK JP", "Noto Sans CJK JP"};
    const QStringList gothic = {"IPAGothic", "IPAゴシック", "IPAexGothic", "Noto Sans CJK JP"};
    const QStringList pmincho = {"IPAPMincho", "IPA P明朝", "IPAMincho", "Noto Serif CJK JP"};
    const QStringList pgothic = {"IPAPGothic", "IPA Pゴシック", "IPAGothic", "Noto Sans CJK JP"};
    for (const QString& name : {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")}) QFont::insertSubstitutions(name, mincho);
    for (const QString& name : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")}) QFont::insertSubstitutions(name, gothic);
    for (const QString& name : {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")}) QFont::insertSubstitutions(name, pmincho);
    for (const QString& name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic")}) {
      QFont::insertSubstitutions(name, pgothic);
    }
    return true;
  }();
  (void)done;
}

QFont ToQFont(const EditorFont& font) {
  QFont result(QString::fromStdString(font.name));
  if (font.size > 0) result.setPointSizeF(font.size);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  return result;
}

EditorFont FromQFont(const QFont& font) {
  EditorFont result;
  result.name = font.family().toStdString();
  result.size = font.pointSizeF();
  result.bold = font.bold();
  result.italic = font.italic();
  return result;
}

}  // namespace kovrel
