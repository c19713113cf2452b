#include "ccpchevron.h"

#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPChevron::CCPChevron(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPObject(manager)
{
    Load(id, ar, comment, manager);
}

void CCPChevron::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_fPan = m_fTilt = 0;
    m_nPanLabel = m_nTiltLabel = 0;

    std::string line, key, value;
    while (ar.ReadLine(line)) {
        CTokenCursor cur(line);
        if (!cur.Next(key))
            continue;
        if (EqualsNoCase(key, "#end"))
            break;
        if (EqualsNoCase(key, "pantilt")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Float(m_fPan) && s.Float(m_fTilt);
            }
        } else if (EqualsNoCase(key, "pantiltlabel")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(m_nPanLabel) && s.Int(m_nTiltLabel);
            }
        } else {
            ReportError(ar, "Chevron Bad string", key);
        }
    }
}

void CCPChevron::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "CHEVRON");
    ar.Printf("%s%s = %g %g;\n", kIndent, "pantilt", double(m_fPan), double(m_fTilt));
    WritePoint(ar, "pantiltlabel", m_nPanLabel, m_nTiltLabel);
    WriteEnd(ar);
}
