#pragma once

#include <memory>
#include <string>
#include <string_view>

class CCPManager;
class CCPObject;
class CLineReader;

// An empty record of a type code (0..17), or null for codes that create nothing.
std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* manager);

// The instrument and other "object" records of the header keywords LIGHT, DIGITS, ...
// read with their reading constructors; null for a keyword that is not one of them.
std::unique_ptr<CCPObject> ReadObjectRecord(std::string_view keyword, int id, CLineReader& ar,
                                            const std::string& comment, CCPManager* manager);
