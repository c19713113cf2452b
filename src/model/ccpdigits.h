#pragma once

#include "ccpobject.h"

#include <cstdint>
#include <vector>

// A DIGITS record: one digit picture (a source rect of the template, one per digit 0..9) on
// every destination rect of the panel.
class CCPDigits : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    int m_nPersistent = 0;
    int m_nCallbackSlot = -1;
    uint32_t m_nCycleBits = 0xffff;
    std::vector<CRect> m_arcSrc;  // "srcloc" lines, digit 0, 1, 2 ...
    std::vector<CRect> m_arcDest; // "destloc" lines, one per digit place
    int m_nCurrentDigit = 5;      // the digit the preview shows; not in the file

    explicit CCPDigits(CCPManager* manager) : CCPObject(manager) {}
    CCPDigits(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    const char* GetRuntimeClass() const override { return "CCPDigits"; }
    int GetTypeCode() const override { return kDigitsType; }
    int GetImageIndex() const override { return 16; }
    std::string GetTypeName() const override { return "Digits"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void NextState() override;
    bool GetDestRect(CRect* out) const override;
    bool GetSrcRect(CRect* out) const override;
    void Draw(Canvas& dc, float scale) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
