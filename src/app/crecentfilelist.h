#pragma once

#include <QString>

#include <string>
#include <vector>

// The most recently opened or saved cockpit files, newest first, kept between runs under
// QSettings("Orvanta", "Vireo"), group "Recent File List", values File1 .. FileN.
class CRecentFileList
{
public:
    explicit CRecentFileList(int size);

    void ReadList();
    void WriteList() const;

    // Puts path first (as an absolute path), dropping an older entry of it and the oldest
    // entry beyond the size.
    void Add(const std::string& path);
    void Remove(int index);

    int GetSize() const { return int(m_astrNames.size()); }
    const std::string& operator[](int index) const { return m_astrNames[size_t(index)]; }
    // "&1 /path/to/8_cockpit.dat" for the File menu.
    QString MenuText(int index) const;

private:
    int m_nSize;
    std::vector<std::string> m_astrNames;
};
