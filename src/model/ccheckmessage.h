#pragma once

#include <string>
#include <vector>

class CCPObject;

// What a check message is about: one kind per message text the check writes, plus the findings
// only the Problems panel adds. Explanations and fixes are looked up by kind, never by text.
enum class CheckKind
{
    Unknown,
    NoTemplateFile,
    TemplateSizeZero,
    NoIcpPrimaryButton,
    NoIcpTertiaryButton,
    PanelNotReachable,
    PanelLinkLeadsNowhere, // found while following the neighbours from the first panel
    PanelNoAdjacent,       // the panel's own check of its neighbours
    PanelSurfacesOverlap,
    PanelMaskTopZero,
    IdNotUnique,
    ButtonViewNoParent,
    ButtonViewStatesMismatch,
    ButtonViewSizes,
    ButtonInitStateTooBig,
    ButtonSound1Missing,
    ButtonSound2Missing,
    DigitsSourceCount,
    DedEmptyDest,
    LightInitStateTooBig,
    LightSizes,
    DialSizes,
    DialPointsValues,
    AdiSizes,
    OutsideScreen, // added by the Problems panel, not by the check
};

// One problem found by a check: the text shown and the record it is about (not owned). The
// record is also named by its file keyword ("PANEL", "LIGHT", "MANAGER", ...) and id, which
// stay meaningful after the record itself has been edited away; an empty type names no record.
struct CCheckMessage
{
    std::string m_strMessage;
    CCPObject* m_pObject = nullptr;
    std::string m_strType;
    int m_nId = 0;
    CheckKind m_nKind = CheckKind::Unknown;
};

using CCheckMessageArray = std::vector<CCheckMessage>;
