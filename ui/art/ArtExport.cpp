// art_export: writes the 100 % skin and button picture into a folder as the BMP files quillon.exe
// embeds, or with --check compares the files already there with the drawing byte for byte.
#include "ArtFiles.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

using quillon::art::ArtFile;

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const bool check = !args.empty() && args.front() == "--check";
    if (args.size() != (check ? 2u : 1u)) {
        std::cerr << "usage: art_export [--check] FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder(args.back());
    int failed = 0;
    for (const ArtFile& file : quillon::art::ReferenceArtFiles()) {
        const std::filesystem::path path = folder / file.name;
        if (check) {
            std::ifstream in(path, std::ios::binary);
            const bool readable = in.is_open();
            const std::string onDisk{std::istreambuf_iterator<char>(in), {}};
            const std::string why =
                readable ? quillon::art::Difference(file, onDisk) : "cannot be read";
            if (!why.empty()) {
                std::cerr << path.string() << ": " << why << "\n";
                ++failed;
            }
        } else {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
            if (!out.flush()) {
                std::cerr << path.string() << ": cannot be written\n";
                ++failed;
            }
        }
    }
    if (failed && check)
        std::cerr << "The files are not what ui/art draws; to draw them anew: art_export "
                  << folder.string() << "\n";
    return failed ? 1 : 0;
}
