#pragma once

#include "ccpobject.h"

// Free text written as it stands.
class CCPComment : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    std::string m_strText;

    const char* GetRuntimeClass() const override { return "CCPComment"; }
    std::string GetTypeName() const override { return "Comment"; }
    void Serialize(CLineWriter& ar) override;
};
