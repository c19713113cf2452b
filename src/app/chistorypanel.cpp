#include "chistorypanel.h"

#include "cvireodoc.h"
#include "filepaths.h"
#include "textconvert.h"

#include <QListWidget>

CHistoryPanel::CHistoryPanel(CVireoDoc* doc, QWidget* parent)
    : QDockWidget(QStringLiteral("History"), parent), m_pDoc(doc), m_pList(new QListWidget(this))
{
    setObjectName(QStringLiteral("history"));
    m_pList->setObjectName(QStringLiteral("History"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    // Wide enough to read the step names beside the tree.
    m_pList->setMinimumWidth(
        m_pList->fontMetrics().horizontalAdvance(QStringLiteral("Properties of Left MFD OSB 10")));
    setWidget(m_pList);
    // Row 0 is the file as opened; row n the state after n steps.
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_bFilling && row >= 0)
            m_pDoc->GoToStep(static_cast<size_t>(row));
    });
    Fill();
}

void CHistoryPanel::Fill()
{
    m_bFilling = true;
    const CEditHistory& history = m_pDoc->GetHistory();
    const std::string& path = m_pDoc->GetPathName();
    const std::string first = path.empty() ? std::string("Untitled") : FileNameOf(path);
    m_pList->clear();
    // A file name as the title bar shows it; step names carry record text (Latin-1).
    m_pList->addItem(PathFromCore(first));
    for (size_t i = 0; i < history.Count(); ++i) {
        const std::string& name = history.Step(i).m_strName;
        auto* item = new QListWidgetItem(Latin1ToQt(name));
        // Undone steps are shown greyed, as in image editors.
        if (i >= history.Current())
            item->setForeground(m_pList->palette().brush(QPalette::Disabled, QPalette::Text));
        m_pList->addItem(item);
    }
    m_pList->setCurrentRow(static_cast<int>(history.Current()));
    m_pList->scrollToItem(m_pList->currentItem());
    m_bFilling = false;
}
