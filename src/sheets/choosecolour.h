#pragma once

#include <string>

class CCPPage;

// The colour buttons: takes the page's entries, opens the colour chooser on the colour that
// colourText holds as hexadecimal 0xAARRGGBB text, and on OK puts the chosen colour into
// colourText as "%x" with alpha ff and shows the page's members again. False when the page's
// entries are bad or the chooser was cancelled (colourText is then unchanged).
bool ChooseColour(CCPPage& page, std::string& colourText);
