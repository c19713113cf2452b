#include "ccpcomment.h"

#include "clinewriter.h"

void CCPComment::Serialize(CLineWriter& ar)
{
    ar.Write(m_strText);
    ar.Write("\n");
}
