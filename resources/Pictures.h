// The product's two pictures, drawn in code: crossword grids of white and black squares.
#pragma once

namespace vcl {
class TPicture;
}

// The pages' side picture: 71 x 131 pixels, a grid of 7 x 13 squares.
void LoadSidePicture(vcl::TPicture& picture);
// The completion page's picture: 89 x 89 pixels, a grid of 8 x 8 squares.
void LoadCompletionPicture(vcl::TPicture& picture);
