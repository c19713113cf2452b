#include "ccpobject.h"

#include "ccpmanager.h"
#include "clinewriter.h"
#include "irecordeditor.h"
#include "iuserinterface.h"
#include "recordtypes.h"
#include "strformat.h"

#include <cctype>

CCPObject::~CCPObject() = default;

std::unique_ptr<CCPObject> CCPObject::CopyFields() const
{
    return std::unique_ptr<CCPObject>(new CCPObject(*this));
}

void CCPObject::AssignFields(const CCPObject& from)
{
    *this = from;
}

const CRecordType& CCPObject::GetRecordType() const
{
    return RecordTypes().front();
}

int CCPObject::GetTypeCode() const
{
    return GetRecordType().code;
}

std::string CCPObject::GetTypeName() const
{
    return GetRecordType().name;
}

int CCPObject::GetImageIndex() const
{
    return GetRecordType().image;
}

void CCPObject::Serialize(CLineWriter& ar)
{
    ar.Write("\n");
    ar.Write(m_strComment);
}

void CCPObject::Load(int id, CLineReader&, const std::string& comment, CCPManager* manager)
{
    m_nId = id;
    m_strComment = comment;
    m_pManager = manager;
}

int CCPObject::EditProperties()
{
    if (!m_pManager || !m_pManager->GetEditor())
        return IDCANCEL;
    const int result = m_pManager->GetEditor()->EditProperties(*this);
    // A sheet may have changed ids, also of other records opened from it.
    m_pManager->InvalidateIndex();
    return result;
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool CCPObject::GetName(std::string& name) const
{
    return FindName(m_strComment, name);
}

std::string CCPObject::GetLabel() const
{
    std::string name;
    if (GetName(name) && !name.empty())
        return name;
    return StrFormat("%s %d", GetTypeName().c_str(), m_nId);
}

void CCPObject::SetName(const std::string& name)
{
    PutName(m_strComment, name);
}

bool CCPObject::FindName(const std::string& comment, std::string& name)
{
    const size_t at = comment.find("Name:");
    if (at == std::string::npos)
        return false;
    const size_t start = at + 5;
    const size_t eol = comment.find("\r\n", start);
    if (eol == std::string::npos) {
        name.clear();
        return true;
    }
    size_t b = start, e = eol;
    while (b < e && IsBlank(comment[b]))
        ++b;
    while (e > b && IsBlank(comment[e - 1]))
        --e;
    name = comment.substr(b, e - b);
    return true;
}

void CCPObject::PutName(std::string& comment, const std::string& name)
{
    const size_t at = comment.find("Name:");
    if (at == std::string::npos) {
        comment = "// Name: " + name + "\r\n" + comment;
        return;
    }
    // Replace from "Name:" up to and including the end of its line.
    size_t eol = comment.find('\n', at);
    eol = eol == std::string::npos ? comment.size() : eol + 1;
    comment.replace(at, eol - at, "Name: " + name + "\r\n");
}

void CCPObject::PutOnlyName(std::string& comment, const std::string& name)
{
    size_t from = 0;
    if (!name.empty()) {
        PutName(comment, name);
        from = comment.find('\n', comment.find("Name:")) + 1;
    }
    for (size_t at; (at = comment.find("Name:", from)) != std::string::npos;) {
        const size_t nl = comment.rfind('\n', at);
        const size_t begin = nl == std::string::npos ? 0 : nl + 1;
        const size_t eol = comment.find('\n', at);
        comment.erase(begin, eol == std::string::npos ? std::string::npos : eol + 1 - begin);
        from = begin;
    }
}

bool CCPObject::CheckIdUnique(CCheckMessageArray& messages, CCPManager* manager)
{
    if (!manager)
        return true;
    int count = 0;
    if (IsButton())
        count = manager->CountButtonsWithId(m_nId);
    else if (IsButtonView())
        count = manager->CountButtonViewsWithId(m_nId);
    else if (IsPanel())
        count = manager->CountPanelsWithId(m_nId);
    else
        count = manager->CountObjectsWithId(m_nId);
    if (count > 1) {
        AddMessage(messages, CheckKind::IdNotUnique,
                   StrFormat("Object Id %d, is not unique", m_nId));
        return false;
    }
    return true;
}

void CCPObject::WriteHeader(CLineWriter& ar, const char* keyword)
{
    CCPObject::Serialize(ar);
    ar.Write('#');
    ar.Int(m_nId);
    ar.Write(' ');
    ar.Write(keyword);
    ar.Write('\n');
}

void CCPObject::AddMessage(CCheckMessageArray& messages, CheckKind kind, std::string text)
{
    // The type name spelled as the record's header keyword in the file.
    std::string type = GetTypeName();
    for (char& c : type)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    messages.push_back(CCheckMessage{std::move(text), this, std::move(type), m_nId, kind});
}

static void MoveEdges(CRect& src, const CRect& oldDest, const CRect& newDest)
{
    src.left += newDest.left - oldDest.left;
    src.top += newDest.top - oldDest.top;
    src.right += newDest.right - oldDest.right;
    src.bottom += newDest.bottom - oldDest.bottom;
}

void SetDestWithSrc(CRect& dest, CRect& src, int left, int top, int right, int bottom)
{
    const CRect n(left, top, right, bottom);
    if (n.Width() != dest.Width() || n.Height() != dest.Height())
        MoveEdges(src, dest, n);
    dest = n;
}

void SetDestWithSrcList(CRect& dest, std::vector<CRect>& srcs, int left, int top, int right,
                        int bottom)
{
    const CRect n(left, top, right, bottom);
    if (n.Width() != dest.Width() || n.Height() != dest.Height())
        for (CRect& s : srcs)
            MoveEdges(s, dest, n);
    dest = n;
}

bool CCPObject::SameFields(const CCPObject& other) const
{
    if (m_nId != other.m_nId || m_strComment != other.m_strComment)
        return false;
    // Writing does not change a record; the text is what the file would hold.
    CLineWriter mine, theirs;
    const_cast<CCPObject*>(this)->Serialize(mine);
    const_cast<CCPObject&>(other).Serialize(theirs);
    return mine.Take() == theirs.Take();
}
