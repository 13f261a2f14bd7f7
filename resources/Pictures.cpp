// The grids behind the two pictures; '#' is a black square.
#include "resources/Pictures.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/vcl/classes.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kLine = 0xFF000000;

// Squares of `cell` pixels between one-pixel lines; the picture is a 256-colour image in
// spirit: only black and white are used.
void draw_grid(vcl::TPicture& picture, const std::vector<std::string_view>& rows, int cell) {
  const int columns = static_cast<int>(rows.front().size());
  const int width = columns * (cell + 1) + 1;
  const int height = static_cast<int>(rows.size()) * (cell + 1) + 1;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), kWhite);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t& pixel = pixels[static_cast<std::size_t>(y * width + x)];
      if (x % (cell + 1) == 0 || y % (cell + 1) == 0) {
        pixel = kLine;
      } else if (rows[static_cast<std::size_t>(y / (cell + 1))][static_cast<std::size_t>(x / (cell + 1))] == '#') {
        pixel = kBlack;
      }
    }
  }
  picture.SetBitmap(width, height, std::move(pixels));
}

}  // namespace

void LoadSidePicture(vcl::TPicture& picture) {
  draw_grid(picture,
            {"...#...", ".#...#.", "...#...", "#.....#", "..#.#..", ".......", "#..#..#", ".......",
             "..#.#..", "#.....#", "...#...", ".#...#.", "...#..."},
            9);
}

void LoadCompletionPicture(vcl::TPicture& picture) {
  draw_grid(picture, {"...#....", ".#...#..", "....#..#", "#.......", ".......#", "#..#....", "..#...#.", "....#..."},
            10);
}
