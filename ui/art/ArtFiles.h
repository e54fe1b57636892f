// The 100 % skin and button picture as the BMP files quillon.exe embeds, drawn by this module so
// the committed files never drift from the run-time drawing.
#pragma once

#include "Image.h"

#include <string>
#include <vector>

namespace quillon::art {

struct ArtFile {
    std::string name;
    Image image;
    std::string bytes;
};

// A 24-bit bottom-up BMP, rows padded to four bytes.
std::string EncodeBmp24(const Image& image);

// skin.bmp and button.bmp, drawn at 100 %.
std::vector<ArtFile> ReferenceArtFiles();

// Empty when `onDisk` holds exactly the drawn bytes; otherwise where and how they differ.
std::string Difference(const ArtFile& drawn, const std::string& onDisk);

} // namespace quillon::art
