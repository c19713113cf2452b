#include "ccockpitgenerator.h"

#include <algorithm>
#include <cstdio>
#include <vector>

std::string CCockpitGenerator::Generate(int records, int perPanel)
{
    std::string s;
    s.reserve(size_t(records) * 160);
    char line[512];
    auto put = [&](const char* text) { s += text; };

    put("// Name: Generated\n#0 MANAGER\n\tmouseborder = 2;\n\ttemplatefile 256 256 "
        "template.png;\n#end\n");
    const int buttons = std::max(1, records / 50);
    const int sounds = std::max(1, records / 100);
    const int panels = std::max(1, (records + perPanel - 1) / perPanel);
    const int drawn = std::max(0, records - buttons - sounds - panels - 1);
    const int lights = drawn / 2;
    const int views = drawn - lights;

    for (int i = 0; i < sounds; ++i) {
        std::snprintf(line, sizeof line, "// Name: Sound %d\n#%d SOUND\n\tentry = %d;\n#end\n",
                      i + 1, i + 1, i);
        put(line);
    }
    for (int i = 0; i < buttons; ++i) {
        std::snprintf(line, sizeof line,
                      "#%d BUTTON\n\tnumbuttonviews = 1;\n\tdelay = -1;\n\tinitstate = "
                      "0;\n\tcallbackslot = %d;\n"
                      "\tcursorid = 0;\n\tstates = 2;\n\tsound1 = %d;\n#end\n",
                      1001 + i, i, 1 + i % sounds);
        put(line);
    }
    // Objects and views get ids above every panel id; each panel takes a slice of both.
    const int firstId = 1000000;
    for (int i = 0; i < lights; ++i) {
        const int x = (i * 37) % 1000, y = (i * 53) % 740;
        std::snprintf(line, sizeof line,
                      "#%d LIGHT\n\tcyclebits = 0xffff;\n\tcallbackslot = %d;\n\tstates = 2;\n"
                      "\tsrcloc = 0 0 16 16;\n\tsrcloc = 0 16 16 32;\n\tdestloc = transparent %d "
                      "%d %d %d;\n#end\n",
                      firstId + i, i % 300, y, x, y + 16, x + 16);
        put(line);
    }
    for (int i = 0; i < views; ++i) {
        const int x = (i * 41) % 1000, y = (i * 29) % 740;
        std::snprintf(
            line, sizeof line,
            "#%d BUTTONVIEW\n\tstates = 2;\n\tsrcloc = 32 0 56 24;\n\tsrcloc = 32 24 56 48;\n"
            "\tparentbutton = %d;\n\tdestloc = transparent %d %d %d %d;\n\tpersistant = 0;\n#end\n",
            firstId + lights + i, 1001 + i % buttons, y, x, y + 24, x + 24);
        put(line);
    }
    const int lightsPer = std::max(1, (lights + panels - 1) / panels);
    const int viewsPer = std::max(1, (views + panels - 1) / panels);
    for (int p = 0; p < panels; ++p) {
        const int id = kFirstPanel * (p + 1);
        const int east = kFirstPanel * ((p + 1) % panels + 1);
        const int west = kFirstPanel * ((p + panels - 1) % panels + 1);
        std::snprintf(line, sizeof line,
                      "// Name: Panel %d\n#%d PANEL\n\tadjpanels =  -1 -1 %d -1 -1 -1 %d -1;\n"
                      "\toffset = 0 0;\n\tpantilt = 0 0;\n\tmasktop = 400;\n\tcursorid = 0;\n",
                      p + 1, id, panels > 1 ? east : -1, panels > 1 ? west : -1);
        put(line);
        std::string ids;
        for (int i = p * lightsPer; i < std::min(lights, (p + 1) * lightsPer); ++i)
            ids += " " + std::to_string(firstId + i);
        if (!ids.empty())
            s += "\tobjects =" + ids + ";\n";
        ids.clear();
        for (int i = p * viewsPer; i < std::min(views, (p + 1) * viewsPer); ++i)
            ids += " " + std::to_string(firstId + lights + i);
        if (!ids.empty())
            s += "\tbuttonviews =" + ids + ";\n";
        put("#end\n");
    }
    return s;
}
