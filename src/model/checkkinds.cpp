#include "checkkinds.h"

const char* ExplainCheckKind(CheckKind kind)
{
    switch (kind) {
    case CheckKind::Unknown:
        break;
    case CheckKind::NoTemplateFile:
        return "The cockpit names no template picture. Lights, buttons and instruments cut "
               "their pictures from the template, so without one they show nothing. Choose the "
               "template file on the Manager's sheet.";
    case CheckKind::TemplateSizeZero:
        return "The template's width or height is 0. The template is read at the size the "
               "cockpit declares, and a template of size 0 is not read at all. Enter the "
               "picture's width and height under Template Size on the Manager's sheet.";
    case CheckKind::NoIcpPrimaryButton:
        return "Every cockpit needs a button with id 1013 (ICP Initial Primary): the "
               "simulator's up-front controls (the ICP) take their starting state from it and "
               "from button 1011. Add the missing button; its sheet sets its states, and its "
               "views can be placed later.";
    case CheckKind::NoIcpTertiaryButton:
        return "Every cockpit needs a button with id 1011 (ICP Initial Tertiary): the "
               "simulator's up-front controls (the ICP) take their starting state from it and "
               "from button 1013. Add the missing button; its sheet sets its states, and its "
               "views can be placed later.";
    case CheckKind::PanelNotReachable:
        return "The pilot moves from panel to panel through the neighbours (north, north-east, "
               "...) each panel names, starting at the first panel of the cockpit. No chain of "
               "neighbours leads to this panel, so it can never be seen. Name it as a neighbour "
               "of a panel that can be reached (Adjacent Panel Properties), or delete it.";
    case CheckKind::PanelLinkLeadsNowhere:
        return "Following the neighbours from the first panel, this panel names a neighbour "
               "panel that is not in the cockpit: looking that way leads nowhere. Enter -1 "
               "where there is no neighbour (a new panel starts with 0 in every direction), or "
               "add the missing panel.";
    case CheckKind::PanelNoAdjacent:
        return "The panel names a neighbour panel that is not in the cockpit. Enter -1 where "
               "there is no neighbour (a new panel starts with 0 in every direction) on its "
               "Adjacent Panel Properties page, or add the missing panel.";
    case CheckKind::PanelSurfacesOverlap:
        return "Two surfaces of the panel cover the same part of the screen, so one is drawn "
               "over the other: a waste of drawing time, and often a mistyped coordinate. The "
               "numbers are the surfaces' places in the panel's list, counted from 0.";
    case CheckKind::PanelMaskTopZero:
        return "Mask Top is the line (in screen pixels from the top) where the panel's "
               "pictures begin; the panel view shows it as a dashed red line when the panel "
               "is selected. It must not be 0. The fix sets it to the top of the panel's "
               "surfaces; you can also enter it on the panel's sheet.";
    case CheckKind::IdNotUnique:
        return "Records of one kind (panels, buttons, button views, or the objects the panels "
               "show) refer to each other by id, and two or more of them share this id: "
               "the simulator would take one for the other. Every record that shares it is "
               "listed; give all but one a free id on the Basic Properties page.";
    case CheckKind::ButtonViewNoParent:
        return "A button view shows the states of its parent button, and this one names a "
               "button that is not in the cockpit, so it can never change or be pressed. "
               "Choose an existing button on its sheet, or add the missing button with as many "
               "states as the view has pictures.";
    case CheckKind::ButtonViewStatesMismatch:
        return "A button view has one picture (source rectangle) for each state of its parent "
               "button. Here the numbers differ, so some states show no picture or some "
               "pictures are never shown. A view with more pictures than its button has states "
               "also stops the check made before saving. Add or remove pictures on the view's "
               "sheet, or change the number of states on the button's sheet.";
    case CheckKind::ButtonViewSizes:
    case CheckKind::LightSizes:
        return "Each state's picture is cut from the template at its source rectangle and "
               "drawn at the destination rectangle; a source of another size is stretched or "
               "squeezed to fit. The fix gives every source rectangle the destination's width "
               "and height, keeping its top-left corner, as Make Src/Dest same size does.";
    case CheckKind::ButtonInitStateTooBig:
        return "The initial state is the state the button starts in, counted from 0, so it "
               "must be smaller than its number of states. The fix sets it to 0, the first "
               "state.";
    case CheckKind::ButtonSound1Missing:
    case CheckKind::ButtonSound2Missing:
        return "The button names a sound (by id) that is not in the cockpit, so it plays "
               "nothing. Add the sound (Add Sound, then give it that id), choose an existing "
               "sound on the button's sheet, or set it to none (-1), as the fix does.";
    case CheckKind::DigitsSourceCount:
        return "A digits display cuts one picture for each figure 0 to 9 from the template, so "
               "it needs exactly ten source rectangles, in that order. Add or remove source "
               "rectangles on its sheet.";
    case CheckKind::DedEmptyDest:
        return "The DED's destination rectangle has no width or no height, so the lines it "
               "shows have nowhere to go. Give it a size on its sheet.";
    case CheckKind::LightInitStateTooBig:
        return "The initial state is the state the light shows when the cockpit starts, "
               "counted from 0, so it must be smaller than the number of its states (source "
               "rectangles). The fix sets it to 0, the first state.";
    case CheckKind::DialSizes:
    case CheckKind::AdiSizes:
        return "The instrument's picture is cut from the template at its source rectangle and "
               "drawn at its destination; a source of another size is stretched or squeezed "
               "to fit. The fix gives the source the destination's width and height, keeping "
               "its top-left corner.";
    case CheckKind::DialPointsValues:
        return "A dial's calibration pairs each needle position (point) with a value, so the "
               "two lists must be equally long; values past the shorter list cannot be shown. "
               "Complete the Calibration table on the dial's sheet.";
    case CheckKind::OutsideScreen:
        return "The record's destination rectangle is not inside the screen the cockpit is "
               "made for (from 0, 0 to its width and height, known from the file name's "
               "prefix, for example 10_ for 1024 x 768). What lies outside is not seen in the "
               "simulator. The fix moves it just inside, keeping its size. The check does not "
               "report this; the Problems panel adds it.";
    }
    return "";
}

std::vector<CheckKind> AllCheckKinds()
{
    std::vector<CheckKind> kinds;
    for (int k = int(CheckKind::Unknown) + 1; k <= int(CheckKind::OutsideScreen); ++k)
        kinds.push_back(static_cast<CheckKind>(k));
    return kinds;
}
