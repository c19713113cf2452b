#pragma once

#include <memory>
#include <string>
#include <string_view>

class CCPManager;
class CCPObject;
class CLineReader;

// The manager's list that a record read from a file goes to.
enum class RecordList : int
{
    Manager, // the MANAGER record is read into the manager itself
    Sounds,
    Buttons,
    ButtonViews,
    Panels,
    Surfaces,
    Buffers,
    Objects
};

// A record type as the file names it: its header keyword, the list it goes to and its
// reading factory (null for MANAGER, which the manager reads itself).
struct CRecordType
{
    const char* keyword; // upper case, as written
    RecordList list;
    std::unique_ptr<CCPObject> (*read)(int id, CLineReader& ar, const std::string& comment,
                                       CCPManager* manager);
};

// The type of a header keyword (any letter case); null for a keyword no type has.
const CRecordType* FindRecordType(std::string_view keyword);

// An empty record of a type code (0..17), or null for codes that create nothing.
std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* manager);

// The record of a header keyword read with its type's reading factory: its keys up to "#end".
// Null for MANAGER and for a keyword no type has.
std::unique_ptr<CCPObject> ReadRecord(std::string_view keyword, int id, CLineReader& ar,
                                      const std::string& comment, CCPManager* manager);
