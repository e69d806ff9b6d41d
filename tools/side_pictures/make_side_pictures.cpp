// Draws the six side-panel pictures KV001.JPG to KV006.JPG of the editor
// window: small drawings of typical NC programs (drilling, pocketing, a
// contour with arcs, a gear profile, a wire-EDM die, Gerber tracks), and the
// program icon. Run: make_side_pictures OUTPUT_FOLDER
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int kWidth = 156 * 2, kHeight = 117 * 2;  // drawn at twice the size shown

void Frame(QPainter& p, const QString& caption) {
  p.fillRect(0, 0, kWidth, kHeight, QColor(18, 28, 44));
  p.setPen(QPen(QColor(40, 60, 86), 1));
  for (int x = 0; x < kWidth; x += 20) p.drawLine(x, 0, x, kHeight);
  for (int y = 0; y < kHeight; y += 20) p.drawLine(0, y, kWidth, y);
  QFont font("IPAGothic");
  font.setPixelSize(22);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(230, 236, 245));
  p.drawText(QRect(10, kHeight - 34, kWidth - 20, 30), Qt::AlignLeft | Qt::AlignVCenter, caption);
}

QPen Tool(QColor colour, double width = 2.5) { return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }
QPen Rapid() { return QPen(QColor(120, 140, 160), 1.5, Qt::DashDotLine); }

void Drill(QPainter& p) {
  Frame(p, "穴あけ  T01φ0.8");
  p.setPen(Tool(QColor(80, 200, 120)));
  p.drawRect(30, 20, 252, 160);
  QPointF last(30, 20);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 8; ++col) {
      const QPointF hole(58 + col * 28, 48 + row * 34);
      p.setPen(Rapid());
      p.drawLine(last, hole);
      p.setPen(Tool(QColor(255, 200, 60), 2));
      p.setBrush(QColor(255, 200, 60, 90));
      p.drawEllipse(hole, 7, 7);
      p.setBrush(Qt::NoBrush);
      last = hole;
    }
  }
}

void Pocket(QPainter& p) {
  Frame(p, "ポケット加工  G01");
  p.setPen(Tool(QColor(90, 170, 255)));
  QPainterPath path;
  path.moveTo(60, 40);
  for (int i = 0; i < 9; ++i) {
    const double y = 40 + i * 16;
    path.lineTo(i % 2 == 0 ? 252 : 60, y);
    if (i < 8) path.lineTo(i % 2 == 0 ? 252 : 60, y + 16);
  }
  p.drawPath(path);
  p.setPen(Tool(QColor(255, 120, 80), 3));
  p.drawRoundedRect(50, 30, 212, 148, 12, 12);
}

void Contour(QPainter& p) {
  Frame(p, "輪郭  G02/G03");
  QPainterPath path;
  path.moveTo(50, 170);
  path.lineTo(50, 70);
  path.arcTo(50, 20, 100, 100, 180, -90);
  path.lineTo(200, 20);
  path.arcTo(170, 20, 90, 90, 90, -90);
  path.lineTo(260, 120);
  path.arcTo(200, 110, 60, 60, 0, -90);
  path.lineTo(50, 170);
  p.setPen(Tool(QColor(255, 150, 220), 3));
  p.drawPath(path);
  p.setPen(Rapid());
  p.drawLine(20, 195, 50, 170);
}

void Gear(QPainter& p) {
  Frame(p, "歯車  R指令");
  const QPointF centre(156, 100);
  QPainterPath path;
  const int teeth = 16;
  for (int i = 0; i <= teeth * 4; ++i) {
    const double a = i * M_PI * 2 / (teeth * 4);
    const double r = (i % 4 == 0 || i % 4 == 1) ? 82 : 66;
    const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0) path.moveTo(point); else path.lineTo(point);
  }
  p.setPen(Tool(QColor(120, 220, 255), 2.5));
  p.drawPath(path);
  p.setPen(Tool(QColor(255, 200, 60), 2.5));
  p.drawEllipse(centre, 20, 20);
}

void Wire(QPainter& p) {
  Frame(p, "ワイヤーカット");
  p.setPen(Tool(QColor(255, 220, 90), 3));
  QPainterPath die;
  die.moveTo(80, 40);
  die.lineTo(232, 40);
  die.lineTo(232, 90);
  die.arcTo(192, 90, 40, 40, 90, 180);
  die.lineTo(232, 170);
  die.lineTo(80, 170);
  die.lineTo(80, 40);
  p.drawPath(die);
  p.setPen(QPen(QColor(255, 220, 90, 110), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(die);
  p.setPen(Rapid());
  p.drawLine(40, 105, 80, 105);
  p.setBrush(QColor(255, 90, 90));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(40, 105), 5, 5);
}

void Gerber(QPainter& p) {
  Frame(p, "ガーバー  D10/D11");
  p.setPen(QPen(QColor(230, 170, 60), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF pads[] = {{50, 40}, {50, 170}, {260, 40}, {260, 170}, {156, 105}};
  p.drawLine(pads[0], QPointF(120, 40));
  p.drawLine(QPointF(120, 40), pads[4]);
  p.drawLine(pads[4], QPointF(200, 170));
  p.drawLine(QPointF(200, 170), pads[3]);
  p.drawLine(pads[1], QPointF(100, 170));
  p.drawLine(QPointF(100, 170), QPointF(156, 105));
  p.drawLine(pads[2], QPointF(220, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 170, 60));
  for (const QPointF& pad : pads) p.drawRect(QRectF(pad.x() - 12, pad.y() - 12, 24, 24));
  p.setBrush(QColor(18, 28, 44));
  for (const QPointF& pad : pads) p.drawEllipse(pad, 4, 4);
}

void Icon(const QString& file) {
  QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(18, 28, 44));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(8, 8, 240, 240, 40, 40);
  p.setPen(QPen(QColor(80, 200, 120), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath path;
  path.moveTo(60, 196);
  path.lineTo(60, 60);
  path.moveTo(60, 128);
  path.lineTo(180, 60);
  path.moveTo(100, 106);
  path.arcTo(100, 106, 90, 90, 90, -90);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 200, 60));
  p.drawEllipse(QPointF(190, 190), 18, 18);
  image.save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString(argv[1]) : QString(".");
  void (*drawings[])(QPainter&) = {Drill, Pocket, Contour, Gear, Wire, Gerber};
  for (int i = 0; i < 6; ++i) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawings[i](painter);
    painter.end();
    image.scaled(kWidth / 2, kHeight / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .save(QString("%1/KV00%2.JPG").arg(folder).arg(i + 1), "JPG", 90);
  }
  Icon(folder + "/icons/kovrel.png");
  return 0;
}
