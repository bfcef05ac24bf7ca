// Writes the set image the compiler makes of one set for the PS/2 model (without the serial link's
// trailer), so that the two builds can be compared byte for byte.
// Console program: set_image.exe <settings folder> <sets folder> <set> <image file>
#include "tools/set_image/CompileConfiguration.h"
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::printf("usage: set_image.exe <settings folder> <sets folder> <set> <image file>\n");
        return 2;
    }
    const std::unique_ptr<FileIO> io = sample::CompileConfiguration("set_image", argv[1], argv[2]);
    if (!io) {
        std::printf("set_image: no skarpin.ini and skarpin.key in %s\n", argv[1]);
        return 1;
    }
    SetImage image;
    const SetCompileResult result = io->CompileSet(argv[3], image, FileIO::kModelPS2);
    if (!result.Compiled()) {
        std::printf("set_image: %s\n", result.Message().c_str());
        return 1;
    }
    const std::vector<std::uint8_t>& bytes = image.Bytes();
    if (!sample::WriteText(argv[4], std::string(bytes.begin(), bytes.end())))
        return 1;
    std::printf("%s: %u bytes\n", argv[4], static_cast<unsigned>(bytes.size()));
    return 0;
}
