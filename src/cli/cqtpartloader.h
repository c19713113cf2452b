#pragma once

#include "icliqtpart.h"

#include <memory>
#include <string>

// The Qt part loaded from libvireo-cli-qt beside the program (or in ../lib/vireo from it, as
// installed; VIREO_CLI_QT_MODULE names another file). Loaded once, on the first call, and
// kept loaded until the program ends.
class CQtPartLoader : public IQtPartSource
{
public:
    CQtPartLoader() = default;
    ~CQtPartLoader() override;
    CQtPartLoader(const CQtPartLoader&) = delete;
    CQtPartLoader& operator=(const CQtPartLoader&) = delete;

    ICliQtPart* Part() override;
    std::string Why() const override { return m_strWhy; }

private:
    bool m_bTried = false;
    std::unique_ptr<ICliQtPart> m_pPart;
    std::string m_strWhy;
};
