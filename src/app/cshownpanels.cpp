#include "cshownpanels.h"

#include "ccppanel.h"
#include "cvireodoc.h"
#include "textconvert.h"

#include <QSettings>

#include <utility>
#include <vector>

namespace {
const char* const kGroup = "Shown Panels";

using CEntries = std::vector<std::pair<QString, int>>;

CEntries ReadEntries(QSettings& settings)
{
    CEntries entries;
    const int size = settings.beginReadArray(QString::fromLatin1(kGroup));
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        bool ok = false;
        const QString file = settings.value(QStringLiteral("File")).toString();
        const int id = settings.value(QStringLiteral("Panel")).toInt(&ok);
        if (!file.isEmpty() && ok)
            entries.emplace_back(file, id);
    }
    settings.endArray();
    return entries;
}
} // namespace

CShownPanels::CShownPanels(CVireoDoc* doc) : m_pDoc(doc)
{
    m_pDoc->AddObserver(this);
}

CShownPanels::~CShownPanels()
{
    m_pDoc->RemoveObserver(this);
}

bool CShownPanels::Recall(const std::string& path, int& panelId)
{
    if (path.empty())
        return false;
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    const QString file = PathFromCore(path);
    for (const auto& [name, id] : ReadEntries(settings))
        if (name == file) {
            panelId = id;
            return true;
        }
    return false;
}

void CShownPanels::Remember(const std::string& path, int panelId)
{
    if (path.empty())
        return;
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    const QString file = PathFromCore(path);
    CEntries entries = ReadEntries(settings);
    std::erase_if(entries, [&](const auto& entry) { return entry.first == file; });
    entries.insert(entries.begin(), {file, panelId});
    if (entries.size() > size_t(kMaxFiles))
        entries.resize(size_t(kMaxFiles));
    settings.remove(QString::fromLatin1(kGroup));
    settings.beginWriteArray(QString::fromLatin1(kGroup), int(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        settings.setArrayIndex(int(i));
        settings.setValue(QStringLiteral("File"), entries[i].first);
        settings.setValue(QStringLiteral("Panel"), entries[i].second);
    }
    settings.endArray();
}

void CShownPanels::OnUpdate(IDocObserver*, Hint, CCPObject*)
{
    // No panel (a cockpit being replaced, a new one) keeps what the file showed before.
    const CCPPanel* panel = m_pDoc->m_pCurrentPanel;
    const std::string& path = m_pDoc->GetPathName();
    if (!panel || path.empty() || (path == m_strPath && panel->m_nId == m_nPanelId))
        return;
    m_strPath = path;
    m_nPanelId = panel->m_nId;
    Remember(path, m_nPanelId);
}

void CShownPanels::OnInitialUpdate()
{
    // A file opened again becomes the newest one, even on the panel it showed before.
    m_strPath.clear();
}
