// Writes a synthetic cockpit and its 256 x 256 template picture (template.png, beside it) for
// the command-line benchmarks (bench/cli-bench.sh):
//   gencockpit FILE RECORDS [PER_PANEL]     the generator's cockpit
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

int main(int argc, char** argv)
{
    std::string text;
    if (argc == 4 && std::strcmp(argv[2], "--empty-panels") == 0) {
        text = "#0 MANAGER\n\ttemplatefile 256 256 template.png;\n#end\n";
        const int panels = std::atoi(argv[3]);
        for (int p = 1; p <= panels; ++p)
            text += "// Name: Panel " + std::to_string(p) + "\n#" + std::to_string(p) +
                    " PANEL\n\toffset = 0 0;\n#end\n";
    } else if (argc == 3 || argc == 4) {
        text =
            CCockpitGenerator::Generate(std::atoi(argv[2]), argc == 4 ? std::atoi(argv[3]) : 2000);
    } else {
        std::fprintf(stderr,
                     "usage: gencockpit FILE RECORDS [PER_PANEL] | FILE --empty-panels N\n");
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
