#include "crecentfilelist.h"
#include "textconvert.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
const char* const kGroup = "Recent File List";

QSettings AppSettings()
{
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
}
} // namespace

CRecentFileList::CRecentFileList(int size) : m_nSize(std::max(1, size)) {}

void CRecentFileList::ReadList()
{
    m_astrNames.clear();
    QSettings settings = AppSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 1; i <= m_nSize; ++i) {
        const QString name = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!name.isEmpty())
            m_astrNames.push_back(PathToCore(name));
    }
}

void CRecentFileList::WriteList() const
{
    QSettings settings = AppSettings();
    settings.beginGroup(QString::fromLatin1(kGroup));
    settings.remove(QString());
    for (size_t i = 0; i < m_astrNames.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), PathFromCore(m_astrNames[i]));
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    const std::string full = PathToCore(QFileInfo(PathFromCore(path)).absoluteFilePath());
    m_astrNames.erase(std::remove(m_astrNames.begin(), m_astrNames.end(), full), m_astrNames.end());
    m_astrNames.insert(m_astrNames.begin(), full);
    if (int(m_astrNames.size()) > m_nSize)
        m_astrNames.resize(size_t(m_nSize));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetSize())
        m_astrNames.erase(m_astrNames.begin() + index);
}

QString CRecentFileList::MenuText(int index) const
{
    // A "&" in a file name would otherwise become a mnemonic.
    QString name = PathFromCore((*this)[index]);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}
