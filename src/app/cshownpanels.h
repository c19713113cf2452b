#pragma once

#include "idocobserver.h"

#include <string>

class CVireoDoc;

// Which panel each cockpit file showed last, so that it opens onto that panel again. Follows
// the document: whenever a file shows another panel, that panel is kept for the file, under
// QSettings("Orvanta", "Vireo"), group "Shown Panels", newest file first and at most
// kMaxFiles files.
class CShownPanels : public IDocObserver
{
public:
    static constexpr int kMaxFiles = 50;

    explicit CShownPanels(CVireoDoc* doc);
    ~CShownPanels() override;
    CShownPanels(const CShownPanels&) = delete;
    CShownPanels& operator=(const CShownPanels&) = delete;

    // The id of the panel path showed last; false when the file is not remembered.
    static bool Recall(const std::string& path, int& panelId);
    // Keeps panelId for path as the newest file.
    static void Remember(const std::string& path, int panelId);

    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;
    void OnInitialUpdate() override;

private:
    CVireoDoc* m_pDoc;
    std::string m_strPath; // what was kept last, so that a repeated hint writes nothing
    int m_nPanelId = 0;
};
