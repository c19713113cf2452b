#pragma once

#include "cqtimageloader.h"
#include "icliqtpart.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class QGuiApplication;
class QImage;

// The commands that paint with Qt: render and map. Their cockpits read pictures with Qt, as
// the editor does, so that what they paint is what the editor shows.
class CCliQtCommands
{
public:
    CCliQtCommands(std::ostream& out, std::ostream& err, CQtImageLoader& loader)
        : m_out(out), m_err(err), m_loader(loader)
    {
    }

    int Render(const std::vector<std::string>& args);
    int Map(const std::vector<std::string>& args);

private:
    int RenderAll(const std::vector<std::string>& args);
    int Usage(const std::string& problem);
    // OUT.png written as Save writes a file; 0, or 2 after saying why not.
    int WritePng(const QImage& image, const std::string& output);

    std::ostream& m_out;
    std::ostream& m_err;
    CQtImageLoader& m_loader;
};

// The Qt part: it makes Qt's application object (offscreen: no window is ever shown) unless
// the process has one already.
class CCliQtPart : public ICliQtPart
{
public:
    CCliQtPart();
    ~CCliQtPart() override;

    int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
    int Map(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
    IImageLoader& Pictures() override { return m_loader; }

private:
    std::unique_ptr<QGuiApplication> m_pApp;
    CQtImageLoader m_loader;
};

// The Qt part linked into this program, made when first asked for.
IQtPartSource* LinkedQtPart();
