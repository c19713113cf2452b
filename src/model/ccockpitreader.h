#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CCPBuffer;
class CCPManager;
class CCPObject;
class CLineReader;
class IUserInterface;

// Reads cockpit text into a manager, the counterpart of the manager's Serialize. Each header
// line makes the record its keyword names in the type table; the comment lines before it
// become its comment. A record of a keyword the table does not know is kept, with its comment
// and body, as leftover lines. Errors quote the line they were found on: the first few are
// shown one box at a time, the rest together once the text is read.
class CCockpitReader
{
public:
    // Messages, also about pictures the records read, go to ui (null: none are shown).
    CCockpitReader(CCPManager& manager, IUserInterface* ui);

    // Appends what text holds to the manager, which the caller has emptied.
    void Read(std::string_view text);
    // Read, giving the memory of text that the reader has passed back to the system as it
    // goes (where the system allows it), so that a large cockpit is not held twice, as text
    // and as records. For a text the caller discards afterwards: its bytes are then unknown.
    void ReadAndRelease(std::string& text);
    // The records of text that go onto a panel (button views and objects), each with the
    // comment lines before it, made for the manager but not added to it: what Paste takes.
    // The keyword of every other record is added to leftOut, in upper case.
    std::vector<std::unique_ptr<CCPObject>> ReadPanelRecords(std::string_view text,
                                                             std::vector<std::string>& leftOut);

    // Lines read so far, counting the call that met the end of the text.
    int LineCount() const { return m_nLineCount; }

    // "#<id> <keyword>": false for a line that does not begin so.
    static bool ScanHeader(std::string_view line, int& id, std::string_view& keyword);

    // A new record with the keys of record (read back from its text), without its comment
    // and with id 0; null for a type that cannot be made empty (a surface entry, a buffer).
    static std::unique_ptr<CCPObject> Copy(CCPObject& record, CCPManager& manager,
                                           IUserInterface* ui);

private:
    // Hands each header line to onHeader(header, ar, comment), with the comment lines that
    // stood before it; messages go through the load error limiter.
    // With release set, the text behind the records read is given back to the system.
    template <class OnHeader>
    void Run(std::string_view text, OnHeader&& onHeader, bool release = false);
    void ReadAll(std::string_view text, bool release);
    // Takes the comment into the record it makes.
    void ReadRecord(std::string_view header, CLineReader& ar, std::string& comment);
    void KeepUnknown(std::string_view header, std::string& comment);

    CCPManager& m_manager;
    IUserInterface* m_pUI;
    int m_nLineCount = 0;
    // The BUFFER read last: the SURFACE records after it cut their pictures from it.
    CCPBuffer* m_pLastBuffer = nullptr;
};
