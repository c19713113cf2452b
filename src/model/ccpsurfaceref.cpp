#include "ccpsurfaceref.h"

#include "canvas.h"
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurface.h"
#include "iuserinterface.h"

bool CCPSurfaceRef::GetDestRect(CRect* out) const
{
    if (out)
        *out = m_rcDest;
    return true;
}

void CCPSurfaceRef::SetDestRect(const CRect* rc)
{
    if (!rc)
        return;
    m_rcDest = *rc;
    // The cut follows; the next draw takes it from the kept picture.
    if (CCPSurface* surface = GetSurface()) {
        if (!(surface->m_rcSrc == *rc)) {
            m_pManager->WillChange(*surface);
            surface->m_rcSrc = *rc;
        }
    }
}

void CCPSurfaceRef::Draw(Canvas& dc, float scale)
{
    if (CCPSurface* surface = GetSurface())
        surface->DrawSurface(dc, m_rcDest, scale, m_bTransparent);
}

void CCPSurfaceRef::DrawSelected(Canvas& dc, float scale)
{
    dc.FrameRect(ScaledRect(m_rcDest, scale), MakeRgb(255, 255, 255));
}

bool CCPSurfaceRef::SameFields(const CCPObject& other) const
{
    const auto& o = static_cast<const CCPSurfaceRef&>(other);
    return m_nId == o.m_nId && m_strComment == o.m_strComment && m_rcDest == o.m_rcDest &&
           m_bTransparent == o.m_bTransparent && m_nSurfaceId == o.m_nSurfaceId &&
           m_nPersistent == o.m_nPersistent;
}

CCPSurface* CCPSurfaceRef::GetSurface() const
{
    return m_pManager ? m_pManager->FindSurface(m_nSurfaceId) : nullptr;
}

int CCPSurfaceRef::AttachNewSurface(CCPPanel* panel)
{
    if (!m_pManager)
        return IDCANCEL;
    m_nSurfaceId = m_nId;
    auto surface = std::make_unique<CCPSurface>(m_pManager);
    surface->m_nId = m_nSurfaceId;

    if (panel && !panel->m_aSurfaces.empty()) {
        // Further surfaces of a panel come from the same picture as its first one.
        if (CCPSurface* first = panel->m_aSurfaces.front()->GetSurface()) {
            surface->m_pBuffer = first->m_pBuffer;
            surface->m_strFile = first->m_strFile;
        }
        m_pManager->AddSurface(std::move(surface));
        return IDOK;
    }

    auto buffer = std::make_unique<CCPBuffer>(m_pManager);
    IUserInterface* ui = m_pManager->GetUserInterface();
    // Without anyone to ask, the dialog counts as cancelled; nothing is added then.
    if (!ui || ui->EditBuffer(*buffer) != IDOK)
        return IDCANCEL;
    buffer->SetFile(buffer->m_strFile);
    // A panel's first surface is its background: the whole picture over the whole screen,
    // hiding what lies below.
    if (buffer->m_nWidth > 0 && buffer->m_nHeight > 0) {
        surface->m_rcSrc = CRect(0, 0, buffer->m_nWidth, buffer->m_nHeight);
        m_rcDest = CRect(0, 0, m_pManager->m_nScreenWidth, m_pManager->m_nScreenHeight);
        m_bTransparent = false;
    }
    surface->m_pBuffer = buffer.get();
    surface->m_strFile = buffer->m_strFile;
    m_pManager->AddBuffer(std::move(buffer));
    m_pManager->AddSurface(std::move(surface));
    return IDOK;
}
