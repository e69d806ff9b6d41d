// Compares two pictures by a tolerant metric: the share of pixels whose
// colour differs by more than 48 in some channel must stay below a limit
// (a renderer of another Qt version may move a line by a pixel).
// Usage: image_diff REFERENCE.png RENDERED.png [MAX_SHARE]
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: image_diff REFERENCE RENDERED [MAX_SHARE]\n");
    return 64;
  }
  const QImage reference(argv[1]);
  const QImage rendered(argv[2]);
  const double max_share = argc > 3 ? std::atof(argv[3]) : 0.01;
  if (reference.isNull() || rendered.isNull() || reference.size() != rendered.size()) {
    std::fprintf(stderr, "the pictures cannot be compared (missing or of different sizes)\n");
    return 1;
  }
  long differing = 0, drawn = 0;
  for (int y = 0; y < reference.height(); ++y) {
    for (int x = 0; x < reference.width(); ++x) {
      const QRgb a = reference.pixel(x, y), b = rendered.pixel(x, y);
      if (a != reference.pixel(0, 0)) ++drawn;
      if (std::abs(qRed(a) - qRed(b)) > 48 || std::abs(qGreen(a) - qGreen(b)) > 48 || std::abs(qBlue(a) - qBlue(b)) > 48) {
        ++differing;
      }
    }
  }
  const double share = static_cast<double>(differing) / (reference.width() * reference.height());
  std::printf("%ld drawn pixels, %ld differ (%.4f%% of the picture)\n", drawn, differing, share * 100);
  if (drawn == 0) return 1;  // an empty reference proves nothing
  return share <= max_share ? 0 : 1;
}
