#include "cdeferredmessages.h"

#include "ccpmanager.h"

#include <QTimer>

#include <algorithm>

CDeferredMessages::~CDeferredMessages()
{
    // A scope never outlives its owner, but the manager must not keep pointing here.
    if (m_nDepth > 0 && m_pManager)
        m_pManager->SetUserInterface(m_pShown);
}

CDeferredMessages::CScope::CScope(CDeferredMessages& owner, CCPManager& manager) : m_owner(owner)
{
    m_owner.Begin(manager);
}

CDeferredMessages::CScope::~CScope()
{
    m_owner.End();
}

void CDeferredMessages::Begin(CCPManager& manager)
{
    if (m_nDepth++ > 0)
        return;
    m_pManager = &manager;
    m_pShown = manager.GetUserInterface();
    manager.SetUserInterface(this);
}

void CDeferredMessages::End()
{
    if (--m_nDepth > 0)
        return;
    m_pManager->SetUserInterface(m_pShown);
    if (m_aPending.empty() || m_bPosted || m_bFlushing || !m_pContext)
        return;
    m_bPosted = true;
    QTimer::singleShot(0, m_pContext.data(), [this] { Flush(); });
}

void CDeferredMessages::MessageBox(const std::string& text, Icon icon, const std::string& details)
{
    const bool known = std::any_of(m_aPending.begin(), m_aPending.end(),
                                   [&](const CMessage& m) { return m.text == text; });
    if (!known)
        m_aPending.push_back({text, icon, details});
}

void CDeferredMessages::Flush()
{
    m_bPosted = false;
    if (m_nDepth > 0 || !m_pManager)
        return; // a scope is open again; its end posts the next flush
    // A box runs an event loop: views repaint under it and may add to the list, which this
    // loop then shows too, one box after the other.
    m_bFlushing = true;
    while (!m_aPending.empty()) {
        const CMessage m = m_aPending.front();
        m_aPending.erase(m_aPending.begin());
        if (IUserInterface* ui = m_pManager->GetUserInterface(); ui && ui != this)
            ui->MessageBox(m.text, m.icon, m.details);
    }
    m_bFlushing = false;
}
