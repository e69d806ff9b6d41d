// The editor control on QScintilla.
#include "ui/editor/text_editor.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace kovrel {
namespace {

// The indicator that colours marked text, and its colour (Scintilla's
// 0xBBGGRR order): red 192, green 0, blue 0.
constexpr int kMarkIndicator = QsciScintillaBase::INDIC_CONTAINER;
constexpr long kMarkColour = 0x0000C0;

// The first local file among dropped data, if any.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

TextEditor::TextEditor(QWidget* parent) : QsciScintilla(parent) {
  setObjectName("RichTextBox1");
  setUtf8(true);
  setEolMode(EolWindows);
  setEolVisibility(false);
  setWrapMode(WrapNone);
  setMarginWidth(0, 0);
  setMarginWidth(1, 0);
  setMarginWidth(2, 0);
  SendScintilla(SCI_SETMARGINLEFT, 0L, 4L);  // the text does not touch the frame
  setTabWidth(8);
  setIndentationsUseTabs(true);
  setAutoIndent(false);
  setBraceMatching(NoBraceMatch);
  setCaretLineVisible(false);
  setAcceptDrops(true);
  // Pasted text takes the document's CR LF line ends.
  SendScintilla(SCI_SETPASTECONVERTENDINGS, 1L);
  // A long line scrolls horizontally as far as it reaches.
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
  SendScintilla(SCI_SETSCROLLWIDTH, 1L);
  connect(this, &QsciScintilla::cursorPositionChanged, this, [this] { UpdateCaretBlink(); });
  SendScintilla(SCI_INDICSETSTYLE, static_cast<unsigned long>(kMarkIndicator), static_cast<long>(INDIC_TEXTFORE));
  SendScintilla(SCI_INDICSETFORE, static_cast<unsigned long>(kMarkIndicator), kMarkColour);
}

void TextEditor::Mark(long start, long end) {
  const long length = DocumentLength();
  start = std::clamp(start, 0L, length);
  end = std::clamp(end, start, length);
  SendScintilla(SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kMarkIndicator));
  SendScintilla(SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), end - start);
  SendScintilla(SCI_SETSEL, static_cast<unsigned long>(start), end);
}

bool TextEditor::MarkedAt(long pos) const {
  return SendScintilla(SCI_INDICATORVALUEAT, static_cast<unsigned long>(kMarkIndicator), pos) != 0;
}

void TextEditor::UpdateCaretBlink() {
  constexpr long kLongLine = 64 * 1024;  // bytes
  const long line = SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS));
  const long length = SendScintilla(SCI_LINELENGTH, line);
  const long period = length > kLongLine ? 0 : std::max(QApplication::cursorFlashTime() / 2, 1);
  if (SendScintilla(SCI_GETCARETPERIOD) != period) SendScintilla(SCI_SETCARETPERIOD, period);
}

bool TextEditor::CaretBlinks() const { return SendScintilla(SCI_GETCARETPERIOD) != 0; }

void TextEditor::LoadText(std::string_view text) {
  // A read-only control (a preview, a comparison pane) still takes a load.
  const bool read_only = isReadOnly();
  setReadOnly(false);
  SendScintilla(SCI_BEGINUNDOACTION);
  SendScintilla(SCI_CLEARALL);
  // APPENDTEXT takes a length, so NUL characters in the text stay.
  SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(text.size()), text.data());
  SendScintilla(SCI_ENDUNDOACTION);
  SendScintilla(SCI_GOTOPOS, 0L);
  SendScintilla(SCI_SETSCROLLWIDTH, 1L);
  UpdateCaretBlink();
  if (read_only) {
    // Nothing to undo in a pane the user cannot edit: no copy of the old text.
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setReadOnly(true);
  }
}

long TextEditor::DocumentLength() const { return SendScintilla(SCI_GETLENGTH); }

std::string TextEditor::DocumentText() const { return std::string(DocumentView()); }

std::string_view TextEditor::DocumentView() const {
  const long length = DocumentLength();
  // Scintilla's own buffer: the pointer stays valid until the next change.
  const auto* data = reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER));
  return {data, static_cast<std::size_t>(length)};
}

void TextEditor::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
    viewport()->setCursor(Qt::IBeamCursor);
  }
}

void TextEditor::SetDocumentFont(const QFont& font) {
  font_ = font;
  setFont(font);
  // Without a lexer every style takes the default style's font.
  SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, font.family().toUtf8().constData());
  SendScintilla(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT, static_cast<long>(font.pointSizeF() * static_cast<int>(SC_FONT_SIZE_MULTIPLIER)));
  SendScintilla(SCI_STYLESETBOLD, STYLE_DEFAULT, static_cast<long>(font.bold()));
  SendScintilla(SCI_STYLESETITALIC, STYLE_DEFAULT, static_cast<long>(font.italic()));
  SendScintilla(SCI_STYLECLEARALL);
}

void TextEditor::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QsciScintilla::dragEnterEvent(event);
}

void TextEditor::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
    return;
  }
  QsciScintilla::dragMoveEvent(event);
}

void TextEditor::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (!path.isEmpty()) {
    event->acceptProposedAction();
    emit FileDropped(path);
    return;
  }
  if (event->mimeData() != nullptr && event->mimeData()->hasUrls()) {
    event->ignore();  // other dropped data is ignored
    return;
  }
  QsciScintilla::dropEvent(event);
}

void TextEditor::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool has_selection = hasSelectedText();
  menu.addAction("元に戻す(&U)", this, &QsciScintilla::undo)->setEnabled(isUndoAvailable());
  menu.addAction("やり直し(&R)", this, &QsciScintilla::redo)->setEnabled(isRedoAvailable());
  menu.addSeparator();
  menu.addAction("切り取り(&T)", this, &QsciScintilla::cut)->setEnabled(has_selection);
  menu.addAction("コピー(&C)", this, &QsciScintilla::copy)->setEnabled(has_selection);
  menu.addAction("貼り付け(&P)", this, &QsciScintilla::paste);
  menu.addAction("削除(&D)", this, &QsciScintilla::removeSelectedText)->setEnabled(has_selection);
  menu.addSeparator();
  menu.addAction("すべて選択(&A)", this, [this] { selectAll(true); });
  menu.exec(event->globalPos());
}

}  // namespace kovrel
