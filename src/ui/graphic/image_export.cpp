// The drawing of the view saved as a file (a Windows bitmap by the ".bmp"
// naming rule, or PNG, or SVG as vectors) or copied to the clipboard.
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include "core/failure.h"
#include "core/file_io.h"
#include "graphic/print_layout.h"
#include "graphic/svg_canvas.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/graphic_view.h"
#include "ui/platform/prompter.h"

namespace kovrel {
namespace {

// The filters of the save dialog, in this order; the first is the default.
const QString kImageFilter =
    QStringLiteral("ビットマップ (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|全てのファイル (*.*)|*.*");
enum ImageFilter { kBitmapFilter = 0, kPngFilter = 1, kSvgFilter = 2 };

// `path` ending in `extension` (whatever the letter case), added when not.
std::string WithExtension(const std::string& path, const char* extension) {
  return QString::fromStdString(path).endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

// The picture's image in a file format.
std::string Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) Fail(FailureKind::kInvalidArgument, format);
  return bytes.toStdString();
}

}  // namespace

void MdiKovrel::SaveImage() {
  scale_panel_->hide();
  move_panel_->hide();
  Prompter& prompter = frm_.services().prompter;
  const QString folder = last_folder_.isEmpty() ? frm_.DialogFolder() : last_folder_ + "/";
  const auto choice = prompter.SaveFileChoice("グラフィックをビットマップ形式で保存", kImageFilter, folder);
  if (!choice || choice->name.isEmpty()) return;
  const std::string chosen = choice->name.toStdString();
  std::string path;
  switch (choice->filter) {
    case kPngFilter: path = WithExtension(chosen, ".png"); break;
    case kSvgFilter: path = WithExtension(chosen, ".svg"); break;
    default: path = BitmapFileName(chosen); break;
  }
  // The dialog asked about the name it confirmed; a different file the
  // name turned into is asked about here.
  if (path != chosen && FileExists(path) &&
      prompter.Message(QString::fromStdString(path) + " は既にあります。\n置き換えますか?", Buttons::kYesNo,
                       Icon::kQuestion) != kResultYes) {
    return;
  }
  picture_->Redraw();
  picture_->WaitForDrawing();  // the picture saved is the whole drawing
  std::string bytes;
  if (choice->filter == kSvgFilter) {
    SvgCanvas canvas(picture_->width(), picture_->height());
    PickTable picks;
    GrSub(figure(), box_, Options(), canvas, picks);
    bytes = canvas.Document();
  } else {
    bytes = Encoded(picture_->image(), choice->filter == kPngFilter ? "PNG" : "BMP");
  }
  WriteFileAtomic(path, bytes);
  last_folder_ = QFileInfo(QString::fromStdString(path)).absolutePath();
}

void MdiKovrel::CopyImage() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  picture_->Redraw();
  picture_->WaitForDrawing();
  // There is no clipboard viewer to start: the image stays on the clipboard.
  clipboard->setImage(picture_->image());
}

}  // namespace kovrel
