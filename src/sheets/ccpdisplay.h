#pragma once

#include "crect.h"

#include <QDialog>

#include <optional>
#include <set>
#include <vector>

class CBOPage;
class CCPObject;
class CCPPage;
class QTabWidget;

// Base of every record's property sheet: a modal dialog with a caption, tabbed pages, OK and
// Cancel. Its first page is "Basic Properties" (id and comment). OK takes the active page's
// entries first (a bad entry keeps the sheet open), then every page the user has seen stores
// its members into the record; pages never shown store nothing, and Cancel stores nothing.
class CCPDisplay : public QDialog
{
    Q_OBJECT

public:
    CCPDisplay(CCPObject* record, const QString& caption, QWidget* parent = nullptr,
               int firstPage = 0);
    ~CCPDisplay() override;

    CBOPage* m_pageBasic;

    void AddPage(CCPPage* page);
    int GetPageCount() const { return int(m_aPages.size()); }
    CCPPage* GetPage(int index) const;
    CCPPage* FindPage(const QString& title) const;
    int GetActiveIndex() const;
    CCPPage* GetActivePage() const;
    // As a click on the tab: once the sheet runs, the page being left must take its entries
    // first, else the sheet stays where it is. False when the page did not become active.
    bool SetActivePage(int index);
    bool SetActivePage(CCPPage* page);
    bool IsPageShown(const CCPPage* page) const { return m_shown.count(page) != 0; }

    // Starts the sheet on its active page (the page counts as shown). DoModal does this itself.
    void Open();
    // Runs the sheet modally through the dialog runner; IDOK when the user pressed OK.
    int DoModal();

    CCPObject* GetRecord() const { return m_pRecord; }
    // The piece drawn on the template when the sheet opened: "Slice..." starts from it.
    std::optional<CRect> m_rcDrawnPiece;

    void accept() override;

private:
    void OnTabChanged(int index);

    CCPObject* m_pRecord;
    QTabWidget* m_pTabs;
    std::vector<CCPPage*> m_aPages;
    std::set<const CCPPage*> m_shown;
    int m_nStartPage;
    int m_nCurrent = 0;
    bool m_bOpen = false;
    bool m_bSwitching = false;
};
