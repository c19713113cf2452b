// vireo-cli map: the Panel Map as a picture, and its broken links as text.
#include "ccliqtpart.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "cloadedcockpit.h"
#include "panelmap.h"
#include "panelmappaint.h"

#include <QImage>
#include <QPainter>

int CCliQtCommands::Map(const std::vector<std::string>& args)
{
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (input.empty() && !a.empty() && a[0] != '-')
            input = a;
        else
            return Usage("map: unexpected argument '" + a + "'");
    }
    if (input.empty() || output.empty())
        return Usage("map needs INPUT and -o MAP.png");

    CLoadedCockpit c(m_err, m_loader);
    if (!c.Open(input))
        return 2;
    CCPManager& m = c.doc.m_manager;
    const CPanelMapGeometry geometry(LayOutPanels(m), m.m_nScreenWidth, m.m_nScreenHeight);
    const QSize size = geometry.Size();
    if ((long long)size.width() * size.height() > 256LL * 1024 * 1024) {
        m_err << "vireo-cli: the map would be too large (" << size.width() << " x " << size.height()
              << " pixels)\n";
        return 2;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        m_err << "vireo-cli: not enough memory for an image of " << size.width() << " x "
              << size.height() << " pixels\n";
        return 2;
    }
    {
        QPainter painter(&image);
        const auto& panels = m.m_aPanels;
        PaintPanelMap(
            painter, geometry,
            [&](size_t i) { return PaintPanelThumbnail(m, *panels[i], geometry.ThumbSize()); }, -1);
    }
    if (const int failed = WritePng(image, output))
        return failed;
    for (const std::string& line : geometry.Map().Problems())
        m_out << line << "\n";
    return 0;
}
