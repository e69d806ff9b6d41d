// RichTextBox1: the document editor, a plain-text editing control that
// copes with very large NC programs (built on QScintilla). The document's
// line ends are CR LF: a loaded text's CR LF, lone CR and lone LF all become
// line breaks, and the text handed out has CR LF between lines.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <string>
#include <string_view>

namespace kovrel {

class TextEditor : public QsciScintilla {
  Q_OBJECT

 public:
  explicit TextEditor(QWidget* parent = nullptr);

  /// Replaces the whole document with UTF-8 text; the caret goes to the
  /// start and the undo history is cleared.
  void LoadText(std::string_view text);

  /// The whole document as UTF-8 with CR LF line ends.
  std::string DocumentText() const;

  /// Length of the document in bytes of UTF-8.
  long DocumentLength() const;

  /// Shows the busy pointer (true) or the text pointer (false).
  void SetBusy(bool busy);

  /// Applies a font to the whole document.
  void SetDocumentFont(const QFont& font);
  QFont DocumentFont() const { return font_; }

 signals:
  /// A file was dropped onto the editor.
  void FileDropped(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QFont font_;
  bool busy_ = false;
};

/// `text` with every CR LF, lone CR and lone LF as CR LF.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace kovrel
