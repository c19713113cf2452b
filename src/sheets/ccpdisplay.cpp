#include "ccpdisplay.h"

#include "cbopage.h"
#include "ccppage.h"
#include "cdialogrunner.h"
#include "cexchangedlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

CCPDisplay::CCPDisplay(CCPObject* record, const QString& caption, QWidget* parent, int firstPage)
    : QDialog(parent), m_pRecord(record), m_nStartPage(firstPage)
{
    setWindowTitle(caption);
    setObjectName(caption);

    m_pTabs = new QTabWidget;
    // Every tab title in full: the sheet grows to fit them.
    m_pTabs->tabBar()->setUsesScrollButtons(false);
    m_pTabs->tabBar()->setElideMode(Qt::ElideNone);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CCPDisplay::OnTabChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(CExchangeDlg::MakeOkCancel(this));

    m_pageBasic = new CBOPage;
    m_pageBasic->SetRecord(record);
    AddPage(m_pageBasic);
}

CCPDisplay::~CCPDisplay() = default;

void CCPDisplay::AddPage(CCPPage* page)
{
    m_aPages.push_back(page);
    m_bSwitching = true;
    m_pTabs->addTab(page, page->GetTitle());
    if (int(m_aPages.size()) - 1 == m_nStartPage)
        m_pTabs->setCurrentIndex(m_nStartPage);
    m_nCurrent = m_pTabs->currentIndex();
    m_bSwitching = false;
}

CCPPage* CCPDisplay::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_aPages[size_t(index)] : nullptr;
}

CCPPage* CCPDisplay::FindPage(const QString& title) const
{
    for (CCPPage* page : m_aPages)
        if (page->GetTitle() == title)
            return page;
    return nullptr;
}

int CCPDisplay::GetActiveIndex() const
{
    return m_pTabs->currentIndex();
}

CCPPage* CCPDisplay::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

bool CCPDisplay::SetActivePage(int index)
{
    if (!GetPage(index))
        return false;
    m_pTabs->setCurrentIndex(index);
    return m_pTabs->currentIndex() == index;
}

bool CCPDisplay::SetActivePage(CCPPage* page)
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_aPages[size_t(i)] == page)
            return SetActivePage(i);
    return false;
}

void CCPDisplay::Open()
{
    m_bOpen = true;
    m_nCurrent = GetActiveIndex();
    if (CCPPage* page = GetActivePage())
        m_shown.insert(page);
}

int CCPDisplay::DoModal()
{
    Open();
    return CDialogRunner::RunModal(*this);
}

void CCPDisplay::OnTabChanged(int index)
{
    if (m_bSwitching || !m_bOpen) {
        m_nCurrent = index;
        return;
    }
    CCPPage* leaving = GetPage(m_nCurrent);
    if (leaving && !leaving->UpdateData(true)) {
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(m_nCurrent);
        m_bSwitching = false;
        return;
    }
    m_nCurrent = index;
    if (CCPPage* page = GetPage(index))
        m_shown.insert(page);
}

void CCPDisplay::accept()
{
    CCPPage* active = GetActivePage();
    if (!active)
        return;
    m_shown.insert(active);
    if (!active->UpdateData(true))
        return;
    for (CCPPage* page : m_aPages) {
        if (page == active || !IsPageShown(page))
            continue;
        if (!page->UpdateData(true)) {
            m_bSwitching = true;
            m_pTabs->setCurrentWidget(page);
            m_nCurrent = m_pTabs->currentIndex();
            m_bSwitching = false;
            return;
        }
    }
    for (CCPPage* page : m_aPages)
        if (IsPageShown(page))
            page->OnOK();
    QDialog::accept();
}
