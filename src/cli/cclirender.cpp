// vireo-cli render: panels painted with Qt, as the editor's panel view paints them.
#include "ccliqtpart.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "cloadedcockpit.h"
#include "crenderall.h"
#include "cscanner.h"
#include "cstatelist.h"
#include "filepaths.h"
#include "panelimage.h"
#include "panelpaint.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

bool ParseInt(const std::string& text, int& value)
{
    CScanner s(text);
    int v = 0;
    if (!s.Int(v) || !s.Rest().empty())
        return false;
    value = v;
    return true;
}

} // namespace

int CCliQtCommands::Render(const std::vector<std::string>& args)
{
    if (std::find(args.begin(), args.end(), "--all") != args.end())
        return RenderAll(args);
    std::string input, output;
    int panelId = 0;
    bool havePanel = false, haveSelect = false;
    int selectId = 0;
    float zoom = 1.0f;
    std::vector<std::pair<int, int>> states;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            output = args[++i];
        } else if (a == "--panel" && hasValue) {
            if (!ParseInt(args[++i], panelId))
                return Usage("render: --panel needs a number, not '" + args[i] + "'");
            havePanel = true;
        } else if (a == "--zoom" && hasValue) {
            CScanner s(args[++i]);
            if (!s.Float(zoom) || !s.Rest().empty() || !(zoom > 0.0f) || zoom > 64.0f)
                return Usage("render: --zoom needs a number above 0 and at most 64, not '" +
                             args[i] + "'");
        } else if (a == "--select" && hasValue) {
            if (!ParseInt(args[++i], selectId))
                return Usage("render: --select needs a number, not '" + args[i] + "'");
            haveSelect = true;
        } else if (a == "--state" && hasValue) {
            const std::string v = args[++i];
            const size_t eq = v.find('=');
            int id = 0, n = 0;
            if (eq == std::string::npos || !ParseInt(v.substr(0, eq), id) ||
                !ParseInt(v.substr(eq + 1), n) || n < 0)
                return Usage("render: --state needs ID=N with a count N of 0 or more, not '" + v +
                             "'");
            states.emplace_back(id, n);
        } else if (input.empty() && a[0] != '-') {
            input = a;
        } else {
            return Usage("render: unexpected argument '" + a + "'");
        }
    }
    if (input.empty() || !havePanel || output.empty())
        return Usage("render needs INPUT, --panel ID and -o OUT.png");

    CLoadedCockpit c(m_err, m_loader);
    if (!c.Open(input))
        return 2;
    CCPManager& m = c.doc.m_manager;
    CCPPanel* panel = m.FindPanel(panelId);
    if (!panel) {
        m_err << "vireo-cli: the cockpit has no panel " << panelId << "\n";
        return 2;
    }
    // The records of this panel by id, button views first as the view picks them.
    auto onPanel = [&](int id) {
        return WalkPanel(m, *panel, kAllLayers, [id](CCPObject& r) { return r.m_nId == id; });
    };
    for (const auto& [id, n] : states) {
        CCPObject* r = onPanel(id);
        if (!r) {
            m_err << "vireo-cli: panel " << panelId << " shows no record " << id << "\n";
            return 2;
        }
        CStateList::Step(*r, n);
    }
    CCPObject* selected = nullptr;
    if (haveSelect) {
        selected = selectId == panelId ? panel : onPanel(selectId);
        if (!selected) {
            m_err << "vireo-cli: panel " << panelId << " shows no record " << selectId << "\n";
            return 2;
        }
    }

    const int w = int(float(m.m_nScreenWidth) * zoom);
    const int h = int(float(m.m_nScreenHeight) * zoom);
    if (w <= 0 || h <= 0 || (long long)w * h > 256LL * 1024 * 1024)
        return Usage("render: the image would be too large or empty at this zoom");
    const QImage image = PaintPanelImage(m, *panel, zoom, selected);
    if (image.isNull()) { // Qt answers a failed allocation with a null image
        m_err << "vireo-cli: not enough memory for an image of " << w << " x " << h << " pixels\n";
        return 2;
    }
    return WritePng(image, output);
}

int CCliQtCommands::WritePng(const QImage& image, const std::string& output)
{
    // Encoded in memory, then written as Save writes: a failed write leaves no cut picture,
    // and the name goes to the system as the bytes it was given.
    QByteArray png;
    QBuffer device(&png);
    device.open(QIODevice::WriteOnly);
    QImageWriter writer(&device, "png");
    if (!writer.write(image)) {
        m_err << "vireo-cli: cannot write " << output << ": " << writer.errorString().toStdString()
              << "\n";
        return 2;
    }
    std::string error, warning;
    if (!WriteFileSafely(output, std::string(png.constData(), size_t(png.size())), &error,
                         &warning)) {
        m_err << "vireo-cli: cannot write " << error << "\n";
        return 2;
    }
    if (!warning.empty())
        m_err << "vireo-cli: " << warning << "\n";
    return 0;
}

int CCliQtCommands::RenderAll(const std::vector<std::string>& args)
{
    std::string input, folder;
    float zoom = 1.0f;
    int workers = CRenderAll::WorkerCount();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--all") {
            continue;
        } else if (a == "-o" && hasValue) {
            folder = args[++i];
        } else if (a == "--zoom" && hasValue) {
            CScanner s(args[++i]);
            if (!s.Float(zoom) || !s.Rest().empty() || !(zoom > 0.0f) || zoom > 64.0f)
                return Usage("render: --zoom needs a number above 0 and at most 64, not '" +
                             args[i] + "'");
        } else if (a == "--workers" && hasValue) {
            // Not in the help: a run of one worker is what the parallel ones are compared to.
            if (!ParseInt(args[++i], workers) || workers < 1 || workers > 256)
                return Usage("render: --workers needs a count from 1 to 256, not '" + args[i] +
                             "'");
        } else if (input.empty() && a[0] != '-') {
            input = a;
        } else {
            return Usage("render --all: unexpected argument '" + a + "'");
        }
    }
    if (input.empty() || folder.empty())
        return Usage("render --all needs INPUT and -o DIR");

    CLoadedCockpit c(m_err, m_loader);
    if (!c.Open(input))
        return 2;
    CCPManager& m = c.doc.m_manager;
    const long long w = static_cast<long long>(float(m.m_nScreenWidth) * zoom);
    const long long h = static_cast<long long>(float(m.m_nScreenHeight) * zoom);
    if (w <= 0 || h <= 0 || w * h > 256LL * 1024 * 1024)
        return Usage("render: the image would be too large or empty at this zoom");
    std::error_code ec;
    std::filesystem::create_directories(SystemPath(folder), ec);
    if (!std::filesystem::is_directory(SystemPath(folder))) {
        m_err << "vireo-cli: cannot make the folder " << folder << (ec ? ": " + ec.message() : "")
              << "\n";
        return 2;
    }
    CRenderAll all(m, zoom, m_err);
    all.ShowProgress(&m_err == &std::cerr && isatty(STDERR_FILENO));
    return all.Run(folder, workers);
}
