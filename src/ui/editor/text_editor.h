// RichTextBox1: the document editor, a plain-text editing control that
// copes with very large NC programs (built on QScintilla). The document keeps
// the line ends it is given: CR LF, lone CR and lone LF all show as line
// breaks and stay as they are; a line break typed or pasted is CR LF.
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
  /// start. The replacement is one step of the undo history: Ctrl+Z gives
  /// back the text before a command, Ctrl+Y the command's result again.
  void LoadText(std::string_view text);

  /// The whole document as UTF-8, its line ends as they stand.
  std::string DocumentText() const;
  /// The same without a copy: valid until the document next changes.
  std::string_view DocumentView() const;

  /// Length of the document in bytes of UTF-8.
  long DocumentLength() const;

  /// Shows the busy pointer (true) or the text pointer (false).
  void SetBusy(bool busy);

  /// True while the caret blinks (it stands still on a very long line).
  bool CaretBlinks() const;

  /// Selects the bytes from `start` to `end` (clamped to the text) and
  /// colours them dark red (red 192, green 0, blue 0), as find next and the
  /// file comparison mark what they found. The colour goes with the next
  /// load of the text.
  void Mark(long start, long end);

  /// True when the byte at `pos` carries the dark red mark.
  bool MarkedAt(long pos) const;

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
  // A blink repaints the caret's line, which Scintilla lays out whole: on a
  // line of megabytes (HP-GL is one line) that costs a core while idle, so
  // the caret stands still there.
  void UpdateCaretBlink();

  QFont font_;
  bool busy_ = false;
};

}  // namespace kovrel
