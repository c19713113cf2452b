#pragma once

#include "ccprecord.h"

#include <array>
#include <memory>
#include <vector>

class CCPSurfaceRef;

struct CFloatPoint
{
    float x = 0;
    float y = 0;
    bool operator==(const CFloatPoint&) const = default;
};

// A panel's own fields: all but its surface entries, which are records of their own.
struct CPanelFields
{
    int m_nCursorId = 0;
    int m_nMaskTop = 0;
    CPoint m_ptOffset;
    bool m_bDoGeometry = false;
    int m_nHudFont = -1;
    int m_nMfdFont = -1;
    int m_nDedFont = -1;
    std::array<int, 8> m_anAdjPanels{}; // N, NE, E, SE, S, SW, W, NW; -1 for none
    float m_fPan = 0;
    float m_fTilt = 0;
    CRect m_rcMouseBounds;
    CRect m_rcHud;
    CRect m_rcRwr;
    CRect m_rcMfdLeft;
    CRect m_rcMfdRight;
    std::vector<int> m_anObjects;
    std::vector<int> m_anButtonViews;
    std::array<CFloatPoint, 20> m_aOsbLeft{};
    std::array<CFloatPoint, 20> m_aOsbRight{};
    bool m_bVisited = false;
};

// A PANEL record: one view of the cockpit with its surfaces, the ids of the objects and
// button views it shows, and its eight neighbours.
class CCPPanel : public CCPTypedRecord<CCPPanel>, public CPanelFields
{
public:
    enum
    {
        N,
        NE,
        E,
        SE,
        S,
        SW,
        W,
        NW
    };

    std::vector<std::unique_ptr<CCPSurfaceRef>> m_aSurfaces;

    explicit CCPPanel(CCPManager* manager);
    CCPPanel(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);
    ~CCPPanel() override;

    std::unique_ptr<CCPObject> CopyFields() const override;
    void AssignFields(const CCPObject& from) override;

    bool IsPanel() const override { return true; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void DrawSelected(Canvas& dc, float scale) override;

    int NextObjectId() const;
    // Takes the record off this panel; a surface entry is destroyed when destroy is set
    // (otherwise it is released to the caller, who then owns it).
    bool RemoveRecord(CCPObject* record, bool destroy);
    // Places a pasted or dropped record after anchor (null: at the front) in this panel's lists.
    // A surface entry passes into the panel's ownership.
    void InsertRecordAfter(CCPObject* anchor, CCPObject* record);
    int OpenAdjacent(int panelId);
    void ReloadSurfaces();

    bool HasSurfaceRef(const CCPSurfaceRef* ref) const;

    // Where an OSB point (-1..1 across an MFD area) lies for the area; false when it lies far
    // off any canvas (5 pixels short of the int range's ends).
    static bool OsbPosition(const CRect& area, const CFloatPoint& p, CPoint& at);
};
