#pragma once

#include "iuserinterface.h"

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

class CCPManager;

// Holds the messages raised while a view paints (a background picture that cannot be read)
// and shows them once the paint has returned. A modal box opened inside a paint runs an event
// loop with the painter still open, and the paint then goes on with a painter that is gone.
class CDeferredMessages : public IUserInterface
{
public:
    // The messages are shown from the event loop while context lives.
    explicit CDeferredMessages(QObject* context) : m_pContext(context) {}
    ~CDeferredMessages() override;

    // While a scope lives, manager's messages are collected here, not shown.
    class CScope
    {
    public:
        CScope(CDeferredMessages& owner, CCPManager& manager);
        ~CScope();
        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        CDeferredMessages& m_owner;
    };

    // Collected, each text once until it has been shown.
    void MessageBox(const std::string& text, Icon icon, const std::string& details) override;
    // Nothing is asked during a paint.
    int CheckResults(CCheckMessageArray&, bool) override { return IDCANCEL; }
    int SelectObjectType(int&) override { return IDCANCEL; }
    int EditBuffer(CCPBuffer&) override { return IDCANCEL; }

private:
    struct CMessage
    {
        std::string text;
        Icon icon;
        std::string details;
    };

    void Begin(CCPManager& manager);
    void End();
    // Shows what was collected, through the manager's own user interface.
    void Flush();

    QPointer<QObject> m_pContext;
    CCPManager* m_pManager = nullptr;
    IUserInterface* m_pShown = nullptr; // the manager's own while a scope lives
    int m_nDepth = 0;
    bool m_bPosted = false;
    bool m_bFlushing = false;
    std::vector<CMessage> m_aPending;
};
