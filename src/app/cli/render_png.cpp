// The PNG pictures of kovrel-cli-render: the figure drawn through the
// QPainter canvas into an image.
#include <QImage>
#include <QPainter>

#include "app/cli/cli_command.h"
#include "graphic/view.h"
#include "ui/platform/painter_canvas.h"

namespace kovrel::cli {

const bool kDrawsPictures = true;

bool WritePng(const FigureTables& figure, const ViewBox& box, const DrawOptions& draw, int width, int height,
              const std::string& path) {
  QImage image(width, height, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PainterCanvas canvas(painter, width, height);
    PickTable picks;
    GrSub(figure, box, draw, canvas, picks);
  }
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace kovrel::cli
