#pragma once

#include <ostream>
#include <string>

class CCPManager;

// render --all: every panel of the cockpit painted and written to folder/panel-<id>.png, a
// worker per core. Each panel's picture is painted and encoded on its own; what the panels
// share (pictures, the template's keyed form, the id look-ups) is made ready before the workers
// start and only read by them. Files and messages come out as a one-worker run makes them,
// messages in panel order.
class CRenderAll
{
public:
    CRenderAll(CCPManager& manager, float zoom, std::ostream& err);

    // Workers for a run: one per core.
    static int WorkerCount();

    // "120/500 panels" on err, rewritten in place, once the run has taken a second: for a
    // terminal only.
    void ShowProgress(bool show) { m_bProgress = show; }

    // 0 when every picture was written, 2 otherwise (each failure said on err).
    int Run(const std::string& folder, int workers);

private:
    CCPManager& m_manager;
    float m_fZoom;
    std::ostream& m_err;
    bool m_bProgress = false;
};
