#pragma once

#include "ccommandtarget.h"

#include <vector>

// The targets a command is offered to, in order (active pane, document, frame, application).
// The first target that handles a command decides its state; a command nobody handles is
// disabled, and a disabled command is never carried out.
class CCommandRoute
{
public:
    void SetTargets(std::vector<CCommandTarget*> targets) { m_aTargets = std::move(targets); }

    // The state of id along the route; false when nothing handles it.
    bool Update(CCmdUI& ui) const;
    // Recomputes the state, then runs the command when it is enabled. True when it ran.
    bool Execute(int id) const;

private:
    std::vector<CCommandTarget*> m_aTargets;
};
