// The type table: every type is made by its code and read by its keyword as the same type,
// and its records answer with the table's code, name and icon.
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "clinereader.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "recordtypes.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

using namespace recordtest;

namespace {

std::string Lower(const char* text)
{
    std::string s(text);
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The record is of type's row and answers with what the row says.
void ExpectOfType(const CCPObject& record, const CRecordType& type)
{
    EXPECT_EQ(&record.GetRecordType(), &type) << type.name;
    EXPECT_EQ(record.GetTypeCode(), type.code) << type.name;
    EXPECT_EQ(record.GetTypeName(), type.name);
    EXPECT_EQ(record.GetImageIndex(), type.image) << type.name;
}

} // namespace

TEST(RecordTypes, EachTypeIsMadeByItsCodeAndReadBackUnderItsKeyword)
{
    CFixture f;
    std::set<std::string> keywords;
    std::set<int> codes;
    for (const CRecordType& type : RecordTypes()) {
        if (type.keyword) {
            EXPECT_TRUE(keywords.insert(type.keyword).second) << type.keyword;
            EXPECT_EQ(FindRecordType(Lower(type.keyword)), &type) << type.keyword;
        }
        if (type.newCode >= 0) {
            EXPECT_TRUE(codes.insert(type.newCode).second) << type.name;
            EXPECT_EQ(FindRecordTypeOfCode(type.newCode), &type) << type.name;
        }
        if (!type.create && !type.read)
            continue;

        // Made empty by its code, or else read from a record without keys.
        std::unique_ptr<CCPObject> made;
        if (type.create) {
            made = CreateRecordOfType(type.newCode, &f.manager);
        } else {
            CLineReader ar("#end\n");
            made = ReadRecord(type.keyword, 3, ar, std::string(), &f.manager);
        }
        ASSERT_TRUE(made) << type.name;
        ExpectOfType(*made, type);
        EXPECT_EQ(made->m_pManager, &f.manager) << type.name;
        if (!type.keyword)
            continue;

        // Written under its keyword, it reads back as the same record with its comment.
        made->m_nId = 3;
        made->m_strComment = "// Name: x\r\n";
        const std::string text = Written(*made);
        EXPECT_NE(text.find(std::string("// Name: x\r\n#3 ") + type.keyword + "\n"),
                  std::string::npos)
            << text;
        ExpectOfType(*made->CopyFields(), type);
        CLineReader ar(Body(text), nullptr, &f.ui);
        std::unique_ptr<CCPObject> read =
            ReadRecord(Lower(type.keyword), 3, ar, made->m_strComment, &f.manager);
        ASSERT_TRUE(read) << type.keyword;
        ExpectOfType(*read, type);
        EXPECT_EQ(Written(*read), text);
    }
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_FALSE(keywords.empty());
}

TEST(RecordTypes, WhatTheTableDoesNotMakeIsNotMade)
{
    for (int code : {-1, int(kBufferType), int(kNoTypeCode), 99})
        EXPECT_EQ(CreateRecordOfType(code, nullptr), nullptr) << code;
    CLineReader ar("#end\n");
    EXPECT_EQ(ReadRecord("MANAGER", 0, ar, std::string(), nullptr), nullptr);
    EXPECT_EQ(ReadRecord("FOO", 0, ar, std::string(), nullptr), nullptr);
    EXPECT_EQ(FindRecordType("LIGHTS"), nullptr);

    // A record of no type of its own is an "Object" without a code or an icon.
    CCPObject plain(nullptr);
    EXPECT_EQ(plain.GetTypeName(), "Object");
    EXPECT_EQ(plain.GetTypeCode(), int(kNoTypeCode));
    EXPECT_EQ(plain.GetImageIndex(), 0);
    EXPECT_EQ(&RecordTypeOf(typeid(int)), &plain.GetRecordType());
}

// An undo step keeps a copy of a record's fields and puts them back into the same record: in
// every record of the demo cockpit, whatever a reload reset comes back whole.
TEST(RecordTypes, FieldsCopiedForUndoPutBackEveryKey)
{
    CReadCockpit c(ExampleData("10_demo.dat"));
    CCPManager& m = c.manager;
    std::vector<CCPObject*> records;
    for (const auto& r : m.m_aObjects)
        records.push_back(r.get());
    for (const auto& r : m.m_aSounds)
        records.push_back(r.get());
    for (const auto& r : m.m_aButtons)
        records.push_back(r.get());
    for (const auto& r : m.m_aButtonViews)
        records.push_back(r.get());
    for (const auto& r : m.m_aSurfaces)
        records.push_back(r.get());
    for (const auto& r : m.m_aBuffers)
        records.push_back(r.get());
    std::set<std::string> types;
    for (CCPObject* r : records) {
        const std::string before = Written(*r);
        std::unique_ptr<CCPObject> kept = r->CopyFields();
        CLineReader empty("#end\n");
        r->Load(0, empty, std::string(), &m);
        r->AssignFields(*kept);
        EXPECT_EQ(Written(*r), before);
        types.insert(r->GetTypeName());
    }
    EXPECT_GE(types.size(), 15u); // the demo has a record of every type
}
