// Measures a picture the launcher saved of its windows (a 24-bit BMP), in an area given in
// the picture's pixels from its top left corner:
//   frame_probe FILE fill X Y W H   how much of the progress bar there is filled, in percent
//                                   (its middle row: coloured pixels against the light
//                                   trough; the border counts as neither), -1 without a bar
//   frame_probe FILE ink X Y W H    how many dark pixels (text, edges) the area holds
// Exit status 2 for a file that is not such a picture or an area outside it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  bool top_down = false;
  std::size_t stride = 0;
  std::size_t offset = 0;
  std::vector<unsigned char> bytes;

  // Red, green, blue of a pixel.
  void At(int x, int y, int rgb[3]) const {
    const int row = top_down ? y : height - 1 - y;
    const std::size_t at = offset + static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 3;
    rgb[0] = bytes[at + 2];
    rgb[1] = bytes[at + 1];
    rgb[2] = bytes[at];
  }
};

std::uint32_t Little(const std::vector<unsigned char>& b, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | b[at + static_cast<std::size_t>(i)];
  return value;
}

bool Load(const char* path, Picture* p) {
  std::ifstream file(path, std::ios::binary);
  p->bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (p->bytes.size() < 54 || p->bytes[0] != 'B' || p->bytes[1] != 'M' || Little(p->bytes, 28, 2) != 24) return false;
  p->offset = Little(p->bytes, 10, 4);
  p->width = static_cast<int>(Little(p->bytes, 18, 4));
  const auto height = static_cast<std::int32_t>(Little(p->bytes, 22, 4));
  p->top_down = height < 0;
  p->height = height < 0 ? -height : height;
  p->stride = (static_cast<std::size_t>(p->width) * 3 + 3) & ~static_cast<std::size_t>(3);
  return p->width > 0 && p->offset + p->stride * static_cast<std::size_t>(p->height) <= p->bytes.size();
}

int Spread(const int rgb[3]) {
  int low = rgb[0], high = rgb[0];
  for (int i = 1; i < 3; ++i) {
    low = rgb[i] < low ? rgb[i] : low;
    high = rgb[i] > high ? rgb[i] : high;
  }
  return high - low;
}

}  // namespace

int main(int argc, char** argv) {
  Picture p;
  if (argc != 7 || !Load(argv[1], &p)) {
    std::fprintf(stderr, "usage: frame_probe FILE.bmp fill|ink X Y W H (a 24-bit BMP)\n");
    return 2;
  }
  const std::string what = argv[2];
  const int x = std::atoi(argv[3]), y = std::atoi(argv[4]), w = std::atoi(argv[5]), h = std::atoi(argv[6]);
  if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > p.width || y + h > p.height) {
    std::fprintf(stderr, "frame_probe: %dx%d+%d+%d is outside the %dx%d picture\n", w, h, x, y, p.width, p.height);
    return 2;
  }
  int rgb[3];
  if (what == "fill") {
    int filled = 0, trough = 0;
    for (int i = x; i < x + w; ++i) {
      p.At(i, y + h / 2, rgb);
      if (Spread(rgb) > 80) ++filled;
      else if (rgb[0] > 200 && rgb[1] > 200 && rgb[2] > 200) ++trough;
    }
    std::printf("%d\n", filled + trough == 0 ? -1 : (filled * 200 + filled + trough) / (2 * (filled + trough)));
    return 0;
  }
  if (what == "ink") {
    int dark = 0;
    for (int j = y; j < y + h; ++j) {
      for (int i = x; i < x + w; ++i) {
        p.At(i, j, rgb);
        if (rgb[0] * 3 + rgb[1] * 6 + rgb[2] < 1100) ++dark;  // luma below about 110
      }
    }
    std::printf("%d\n", dark);
    return 0;
  }
  std::fprintf(stderr, "frame_probe: no measure \"%s\" (fill or ink)\n", what.c_str());
  return 2;
}
