#pragma once

#include "crecordingui.h"
#include "cvireodoc.h"

#include <set>
#include <string>

// A document wired to a recording user interface, loaded from text.
struct CTestCockpit
{
    CRecordingUI ui;
    CVireoDoc doc;

    CTestCockpit() { doc.SetUserInterface(&ui); }
    explicit CTestCockpit(const std::string& text) : CTestCockpit() { doc.Load(text); }

    // The bytes a save would write.
    std::string Saved() { return doc.Store(); }
    // An edit, so the cockpit is modified.
    void Touch() { doc.RenameRecord(&doc.m_manager, "touched " + std::to_string(++m_nTouches)); }
    int m_nTouches = 0;
};

// A fresh temporary folder for one test, removed with the object.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    // The names in the folder, as the bytes they are.
    std::set<std::string> Names() const;

private:
    std::string m_strPath;
};

// A record's place on the panel, and its piece of the template.
inline CRect Dest(const CCPObject* record)
{
    CRect rc;
    record->GetDestRect(&rc);
    return rc;
}

inline CRect Src(const CCPObject* record)
{
    CRect rc;
    record->GetSrcRect(&rc);
    return rc;
}
