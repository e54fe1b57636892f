#include "ArtFiles.h"

#include "Artwork.h"

#include <cstdint>
#include <iomanip>
#include <sstream>

namespace quillon::art {

namespace {

constexpr std::size_t kHeaderBytes = 14 + 40; // file header and BITMAPINFOHEADER

std::size_t Stride(const Image& image) {
    return (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
}

std::size_t PixelOffset(const Image& image, int x, int y) {
    return kHeaderBytes + (image.height - 1 - y) * Stride(image) + 3 * static_cast<std::size_t>(x);
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string Hex(const std::string& bmp, std::size_t at) {
    std::ostringstream text;
    text << '#' << std::hex << std::uppercase << std::setfill('0');
    for (int c = 2; c >= 0; --c) // stored blue, green, red
        text << std::setw(2) << (static_cast<unsigned char>(bmp[at + c]) + 0);
    return text.str();
}

} // namespace

std::string EncodeBmp24(const Image& image) {
    const auto data = static_cast<std::uint32_t>(Stride(image) * image.height);
    std::string out = "BM";
    PutLe(out, kHeaderBytes + data, 4);
    PutLe(out, 0, 4); // reserved
    PutLe(out, kHeaderBytes, 4);
    PutLe(out, 40, 4);
    PutLe(out, image.width, 4);
    PutLe(out, image.height, 4); // positive: bottom-up
    PutLe(out, 1, 2);            // planes
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, data, 4);
    PutLe(out, 3780, 4); // 96 DPI in pixels per metre
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4); // no palette
    PutLe(out, 0, 4);
    out.resize(kHeaderBytes + data, '\0');
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.At(x, y);
            const std::size_t at = PixelOffset(image, x, y);
            out[at] = static_cast<char>(p & 0xFF);
            out[at + 1] = static_cast<char>(p >> 8 & 0xFF);
            out[at + 2] = static_cast<char>(p >> 16 & 0xFF);
        }
    return out;
}

std::vector<ArtFile> ReferenceArtFiles() {
    std::vector<ArtFile> files{{"skin.bmp", DrawSkin(1.0), {}},
                               {"button.bmp", DrawButtonPicture(1.0), {}}};
    for (ArtFile& file : files)
        file.bytes = EncodeBmp24(file.image);
    return files;
}

std::string Difference(const ArtFile& drawn, const std::string& onDisk) {
    if (onDisk == drawn.bytes)
        return {};
    std::ostringstream why;
    const Image& image = drawn.image;
    if (onDisk.size() != drawn.bytes.size()) {
        why << onDisk.size() << " bytes, but a " << image.width << "x" << image.height
            << " 24-bit BMP has " << drawn.bytes.size();
        return why.str();
    }
    if (onDisk.compare(0, kHeaderBytes, drawn.bytes, 0, kHeaderBytes) != 0)
        return "its header is not that of a " + std::to_string(image.width) + "x" +
               std::to_string(image.height) + " 24-bit bottom-up BMP";
    int count = 0, firstX = 0, firstY = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = PixelOffset(image, x, y);
            if (onDisk.compare(at, 3, drawn.bytes, at, 3) == 0)
                continue;
            if (count++ == 0)
                firstX = x, firstY = y;
        }
    if (count == 0)
        return "the padding at the ends of its rows is not zero";
    const std::size_t at = PixelOffset(image, firstX, firstY);
    why << count << (count == 1 ? " pixel differs" : " pixels differ")
        << " from the drawing, the first at (" << firstX << ", " << firstY
        << "): " << Hex(onDisk, at) << " in the file, " << Hex(drawn.bytes, at) << " drawn";
    return why.str();
}

} // namespace quillon::art
