#include "ccpsurfacer.h"

#include "ccpmanager.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "filenamerule.h"
#include "picturebrowse.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <memory>

CCPSurfacer::CCPSurfacer(CCPSurfaceRef* record, QWidget* parent)
    : CCPPage(QStringLiteral("Surface Properties"), parent), m_nSurfaceId(record->m_nSurfaceId),
      m_bPersistent(record->m_nPersistent), m_bTransparent(record->m_bTransparent),
      m_pRecord(record)
{
    if (m_nSurfaceId == 0)
        m_nSurfaceId = record->m_nId;
    if (CCPManager* manager = record->m_pManager) {
        CCPSurface* surface = manager->FindSurface(m_nSurfaceId);
        if (!surface) {
            auto created = std::make_unique<CCPSurface>(manager);
            created->m_nId = m_nSurfaceId;
            surface = created.get();
            manager->AddSurface(std::move(created));
        }
        m_strFile = surface->m_strFile;
        m_bNewSurface = surface->m_strFile.empty();
    }

    m_pFile = m_dx.Text(m_strFile, QStringLiteral("File"));
    m_pFile->setMinimumWidth(260);
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Surface No"),
                 m_dx.Int(m_nSurfaceId, QStringLiteral("Surface No")));
    form->addRow(QStringLiteral("File"),
                 PictureFileRow(m_pFile, record->m_pManager, nullptr, nullptr,
                                [this](QSize size) { FillFromPicture(size); }));
    form->addRow(QString(), m_dx.Check(m_bPersistent, QStringLiteral("Persistent")));
    m_pTransparent = m_dx.Check(m_bTransparent, QStringLiteral("Transparent"));
    form->addRow(QString(), m_pTransparent);

    QGroupBox* areas =
        ButtonBox(QStringLiteral("Areas"),
                  {MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); }),
                   MakeButton(QStringLiteral("Src"), [this] {
                       // The surface the number names now, as typed.
                       if (!UpdateData(true) || !m_pRecord->m_pManager)
                           return;
                       if (CCPSurface* surface = m_pRecord->m_pManager->FindSurface(m_nSurfaceId)) {
                           m_pRecord->m_pManager->WillChange(*surface);
                           EditArea(surface->m_rcSrc);
                       }
                   })});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(areas);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPSurfacer::FillFromPicture(QSize size)
{
    CCPManager* manager = m_pRecord->m_pManager;
    if (!m_bNewSurface || !manager || size.isEmpty() || !UpdateData(true))
        return;
    // A new background: the whole picture, over the whole screen, hiding what lies below.
    if (CCPSurface* surface = manager->FindSurface(m_nSurfaceId)) {
        manager->WillChange(*surface);
        surface->m_rcSrc = CRect(0, 0, size.width(), size.height());
    }
    m_pRecord->m_rcDest = CRect(0, 0, manager->m_nScreenWidth, manager->m_nScreenHeight);
    m_pTransparent->setChecked(false);
    m_bNewSurface = false;
}

bool CCPSurfacer::Validate()
{
    return CheckFileName(this, m_strFile, m_pFile);
}

void CCPSurfacer::OnOK()
{
    m_pRecord->m_nPersistent = m_bPersistent;
    m_pRecord->m_bTransparent = m_bTransparent;
    m_pRecord->m_nSurfaceId = m_nSurfaceId;
    if (m_pRecord->m_pManager)
        if (CCPSurface* surface = m_pRecord->m_pManager->FindSurface(m_nSurfaceId)) {
            m_pRecord->m_pManager->WillChange(*surface);
            surface->SetFile(m_strFile);
        }
}
