#include "ccpbuffer.h"

#include "ccpmanager.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "filepaths.h"
#include "strformat.h"

CCPBuffer::CCPBuffer(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPTypedRecord(manager)
{
    CCPObject::Load(id, ar, comment, manager);
    ReadKeys(ar, "Buffer Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "filename")) {
            if (cur.Next(value))
                TakeText(ar, value, m_strFile);
        } else if (EqualsNoCase(key, "buffersize")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(m_nWidth) && s.Int(m_nHeight);
            }
        } else {
            return false;
        }
        return true;
    });
    SetFile(m_strFile);
}

void CCPBuffer::Write(CLineWriter& ar, bool embedded)
{
    if (!embedded)
        WriteHeader(ar, "BUFFER");
    WriteString(ar, "filename", m_strFile);
    WritePoint(ar, "buffersize", m_nWidth, m_nHeight);
    WriteEnd(ar);
}

void CCPBuffer::SetFile(const std::string& file)
{
    m_strFile = file;
    if (NamesNoFile(m_strFile)) { // nothing to resolve, and no copies of megabytes
        m_strPath.clear();
        m_strPathFile.clear();
    } else {
        m_strPath = m_pManager ? m_pManager->FullPath(m_strFile) : m_strFile;
        m_strPathFile = m_strFile;
    }
    m_strPathFolder = m_pManager ? m_pManager->GetFolder() : std::string();
    m_bLoaded = false;
    m_pPicture.reset();
}

bool CCPBuffer::PathIsCurrent() const
{
    return (NamesNoFile(m_strFile) ? m_strPath.empty() : m_strPathFile == m_strFile) &&
           m_strPathFolder == (m_pManager ? m_pManager->GetFolder() : std::string());
}

const CBitmap* CCPBuffer::GetPicture()
{
    if (!m_bLoaded) {
        // One attempt (and at most one message) until the picture is released again.
        m_bLoaded = true;
        m_pPicture = !m_pManager              ? nullptr
                     : NamesNoFile(m_strFile) ? m_pManager->LoadPicture(m_strFile)
                                              : m_pManager->LoadPicture(m_strPath);
    }
    return m_pPicture.get();
}

void CCPBuffer::ReleasePicture()
{
    m_pPicture.reset();
    m_bLoaded = false;
}

std::unique_ptr<CCPObject> CCPBuffer::CopyFields() const
{
    auto copy = std::make_unique<CCPBuffer>(m_pManager);
    copy->AssignFields(*this);
    return copy;
}

void CCPBuffer::AssignFields(const CCPObject& from)
{
    const auto& other = static_cast<const CCPBuffer&>(from);
    CCPObject::operator=(other);
    m_strPath = other.m_strPath;
    m_strPathFile = other.m_strPathFile;
    m_strPathFolder = other.m_strPathFolder;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_strFile = other.m_strFile;
    ReleasePicture();
}
