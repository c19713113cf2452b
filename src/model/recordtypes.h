#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <typeinfo>

class CCPManager;
class CCPObject;
class CLineReader;

// The manager's list that a record read from a file goes to.
enum class RecordList : int
{
    None,    // a record that is not read from a header of its own (a panel's surface entry)
    Manager, // the MANAGER record is read into the manager itself
    Sounds,
    Buttons,
    ButtonViews,
    Panels,
    Surfaces,
    Buffers,
    Objects
};

// One record type: how the file names it, how the editor shows it and how its records are
// made. The one table of them is the place a new type is added.
struct CRecordType
{
    const std::type_info* cls; // the record class
    int code;                  // what its records answer to GetTypeCode
    int newCode;               // the code CreateObject and Add Object know it by; -1: none
    const char* keyword;       // header keyword, upper case as written; null: none
    const char* name;          // the type name in the tree, in messages and in Add Object
    int image;                 // tree icon number, pictures in pairs (normal, selected)
    RecordList list;
    bool placeable; // put on a panel: Add Object lists it
    // An empty record (null: CreateObject makes none), and one read from its key lines up to
    // "#end" (null: the reader does not make one).
    std::unique_ptr<CCPObject> (*create)(const CRecordType& type, CCPManager* manager);
    std::unique_ptr<CCPObject> (*read)(const CRecordType& type, int id, CLineReader& ar,
                                       const std::string& comment, CCPManager* manager);
};

// Every type, the plain CCPObject ("Object") first.
std::span<const CRecordType> RecordTypes();

// The type of a header keyword (any letter case); null for a keyword no type has.
const CRecordType* FindRecordType(std::string_view keyword);
// The type that CreateObject and Add Object know by code; null for none.
const CRecordType* FindRecordTypeOfCode(int code);
// The row of a record class; the plain CCPObject's for a class the table does not know.
const CRecordType& RecordTypeOf(const std::type_info& cls);

// An empty record of a type code, or null for codes that create nothing.
std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* manager);

// The record of a header keyword read with its type's reading factory: its keys up to "#end".
// Null for MANAGER and for a keyword no type has.
std::unique_ptr<CCPObject> ReadRecord(std::string_view keyword, int id, CLineReader& ar,
                                      const std::string& comment, CCPManager* manager);
