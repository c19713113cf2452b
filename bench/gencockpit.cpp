// Writes a synthetic cockpit and its 256 x 256 template picture (template.png, beside it) for
// the command-line benchmarks (bench/cli-bench.sh):
//   gencockpit FILE RECORDS [PER_PANEL] [--backgrounds]
//                                 the generator's cockpit; with --backgrounds each panel also
//                                 shows its own part of a 2048 x 1536 picture (back.png)
//   gencockpit FILE --empty-panels N        N panels and nothing on them
#include "ccockpitgenerator.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// A surface for every panel, each cut from another place of one picture, so that no two panels
// paint the same.
void AddBackgrounds(std::string& text, const char* file)
{
    std::string surfaces = "#1 BUFFER\n\tfilename = back.png;\n\tbuffersize = 2048 1536;\n#end\n";
    int panels = 0;
    for (size_t at = 0; (at = text.find(" PANEL\n", at)) != std::string::npos;) {
        at += 7;
        const int id = 900000 + panels;
        text.insert(at, "\tsurfaces = " + std::to_string(id) + " 0 opaque 0 0 768 1024;\n");
        const int x = (panels * 37) % 1024, y = (panels * 53) % 768;
        surfaces += "#" + std::to_string(id) +
                    " SURFACE\n\tfilename = back.png;\n\tsrcloc = " + std::to_string(y) + " " +
                    std::to_string(x) + " " + std::to_string(y + 768) + " " +
                    std::to_string(x + 1024) + ";\n#end\n";
        ++panels;
    }
    text += surfaces;
    QImage back(2048, 1536, QImage::Format_RGB32);
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x)
            back.setPixel(x, y, qRgb((x * 7 + y) & 255, (x ^ y) & 255, (x * y / 64) & 255));
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    back.save(QString::fromStdString((folder / "back.png").string()));
}

} // namespace

int main(int argc, char** argv)
{
    std::string text;
    if (argc == 4 && std::strcmp(argv[2], "--empty-panels") == 0) {
        text = "#0 MANAGER\n\ttemplatefile 256 256 template.png;\n#end\n";
        const int panels = std::atoi(argv[3]);
        for (int p = 1; p <= panels; ++p)
            text += "// Name: Panel " + std::to_string(p) + "\n#" + std::to_string(p) +
                    " PANEL\n\toffset = 0 0;\n#end\n";
    } else if (argc >= 3 && argc <= 5) {
        text =
            CCockpitGenerator::Generate(std::atoi(argv[2]), argc >= 4 ? std::atoi(argv[3]) : 2000);
        if (argc == 5 && std::strcmp(argv[4], "--backgrounds") == 0)
            AddBackgrounds(text, argv[1]);
    } else {
        std::fprintf(stderr, "usage: gencockpit FILE RECORDS [PER_PANEL] [--backgrounds] | FILE "
                             "--empty-panels N\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
        return 1;
    // A template with opaque pieces on the blue key, as real ones have.
    QImage t(256, 256, QImage::Format_RGB32);
    t.fill(QColor(0, 0, 255));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 4 + y / 4) % 3)
                t.setPixelColor(x, y, QColor(0xc0, 0xa0, 0x20));
    const std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    return t.save(QString::fromStdString((folder / "template.png").string())) ? 0 : 1;
}
