#pragma once

#include "ccheckmessage.h"

#include <string>

// The messages of a check as a JSON array, one object per message in the order found:
// {"message": text, "type": record keyword or null, "id": record id or null, "severity": ...}.
// The severity is "error" for a message that saveChecked (the check made before a save) also
// holds, since a save stops at it, and "warning" for one only the full check reports. Message
// bytes that are not UTF-8 are read as Latin-1, as the editor shows them.
std::string CheckMessagesToJson(const CCheckMessageArray& messages,
                                const CCheckMessageArray& saveChecked);

// text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);
