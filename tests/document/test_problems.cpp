#include "ccpbutton.h"
#include "ccppanel.h"
#include "crecordplace.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct CFound
{
    std::string text, type;
    int id;
    bool operator==(const CFound&) const = default;
};

std::ostream& operator<<(std::ostream& os, const CFound& f)
{
    return os << "{" << f.text << ", " << f.type << ", " << f.id << "}";
}

std::vector<CFound> Named(const CCheckMessageArray& messages)
{
    std::vector<CFound> out;
    for (const CCheckMessage& m : messages)
        out.push_back({m.m_strMessage, m.m_strType, m.m_nId});
    return out;
}

// The message whose text starts with prefix (the first, or the n-th from 0).
const CCheckMessage& Message(const CCheckMessageArray& messages, const std::string& prefix,
                             int n = 0)
{
    for (const CCheckMessage& m : messages)
        if (m.m_strMessage.rfind(prefix, 0) == 0 && n-- == 0)
            return m;
    static const CCheckMessage none;
    ADD_FAILURE() << "no message " << prefix;
    return none;
}

// Records every check the document reports; shows (answers true) when asked to.
class CCheckListener : public IDocObserver
{
public:
    bool m_bShows = false;
    std::vector<std::pair<std::vector<std::string>, bool>> m_aHeard;

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override {}
    bool OnChecked(const CCheckMessageArray& messages, bool full) override
    {
        std::vector<std::string> texts;
        for (const CCheckMessage& m : messages)
            texts.push_back(m.m_strMessage);
        m_aHeard.emplace_back(texts, full);
        return m_bShows;
    }
};

} // namespace

TEST(CheckMessages, NameTheirRecordByHeaderKeywordAndIdWithUnchangedTexts)
{
    CTestCockpit c(TestData("problems.dat"));
    CCheckMessageArray messages;
    EXPECT_FALSE(c.doc.m_manager.Check(messages, true));
    EXPECT_EQ(Named(messages),
              (std::vector<CFound>{
                  {"Manager, No template file", "MANAGER", 0},
                  {"Manager, Template size is 0", "MANAGER", 0},
                  {"Panel 100, there is no adjacent panel 500 defined", "PANEL", 100},
                  {"Panel 300 is not reachable", "PANEL", 300},
                  {"Button Id 1001, sound 1 9 not defined", "BUTTON", 1001},
                  {"Manager, no button defined with ID 1013 (ICP Initial Primary)", "MANAGER", 0},
                  {"Manager, no button defined with ID 1011 (ICP Initial Tertiary)", "MANAGER", 0},
                  {"Panel Id 100, No adjacent panel 500", "PANEL", 100},
                  {"Light Id 101, Too many states (2)", "LIGHT", 101},
                  {"Light Id 301, Too many states (3)", "LIGHT", 301},
                  {"Object Id 700, is not unique", "LIGHT", 700},
                  {"Object Id 700, is not unique", "LIGHT", 700},
                  {"Light Id 900, Too many states (5)", "LIGHT", 900},
              }));
    // The two messages about the shared id point at one twin each.
    EXPECT_NE(messages[10].m_pObject, messages[11].m_pObject);
}

TEST(RecordPlace, FindsEachMessagesRecordAndThePanelShowingIt)
{
    CTestCockpit c(TestData("problems.dat"));
    CCPManager& m = c.doc.m_manager;
    CCheckMessageArray messages;
    m.Check(messages, true);
    auto find = [&](const CCheckMessage& msg, CCPPanel* current = nullptr) {
        return CRecordPlace::Find(m, msg, current);
    };

    const CRecordPlace manager = find(Message(messages, "Manager, No template"));
    EXPECT_EQ(std::tie(manager.m_nStatus, manager.m_pRecord, manager.m_pPanel),
              std::make_tuple(CRecordPlace::Found, static_cast<CCPObject*>(&m), nullptr));

    const CRecordPlace unreachable = find(Message(messages, "Panel 300"));
    EXPECT_EQ(unreachable.m_pRecord, m.FindPanel(300));
    EXPECT_EQ(unreachable.m_pPanel, m.FindPanel(300));

    const CRecordPlace button = find(Message(messages, "Button Id 1001"));
    EXPECT_EQ(button.m_pRecord, m.FindButton(1001));
    EXPECT_EQ(button.m_pPanel, nullptr);

    // Light 101 is on panels 100 and 200: the current one when it shows the light, else the first.
    const CCheckMessage& light = Message(messages, "Light Id 101");
    EXPECT_EQ(find(light).m_pRecord, m.FindObject(101));
    EXPECT_EQ(find(light).m_pPanel, m.FindPanel(100));
    EXPECT_EQ(find(light, m.FindPanel(200)).m_pPanel, m.FindPanel(200));
    EXPECT_EQ(find(light, m.FindPanel(300)).m_pPanel, m.FindPanel(100));

    // Of two records sharing an id, each message finds its own.
    const CCheckMessage& twinA = Message(messages, "Object Id 700", 0);
    const CCheckMessage& twinB = Message(messages, "Object Id 700", 1);
    EXPECT_EQ(find(twinA).m_pRecord, twinA.m_pObject);
    EXPECT_EQ(find(twinB).m_pRecord, twinB.m_pObject);
    EXPECT_EQ(find(twinB).m_pPanel, m.FindPanel(200));

    // A light no panel lists cannot be shown.
    const CRecordPlace stray = find(Message(messages, "Light Id 900"));
    EXPECT_EQ(stray.m_nStatus, CRecordPlace::OnNoPanel);

    // A message without a record, and one whose record has since taken another id.
    EXPECT_EQ(find(CCheckMessage{"loose", nullptr, "", 0}).m_nStatus, CRecordPlace::NoRecord);
    m.FindObject(301)->m_nId = 302;
    EXPECT_EQ(find(Message(messages, "Light Id 301")).m_nStatus, CRecordPlace::Gone);
    // A type and id that match no record of that type: a sound is not a button.
    EXPECT_EQ(find(CCheckMessage{"x", nullptr, "BUTTON", 1}).m_nStatus, CRecordPlace::Gone);
}

TEST(RecordPlace, SelectingMakesTheRecordAndItsPanelCurrentAsTheTreeDoes)
{
    CTestCockpit c(TestData("problems.dat"));
    CCPManager& m = c.doc.m_manager;
    CCheckMessageArray messages;
    m.Check(messages, true);

    EXPECT_TRUE(CRecordPlace::Find(m, Message(messages, "Light Id 101"), nullptr).Select(c.doc));
    EXPECT_EQ(c.doc.m_pCurrentPanel, m.FindPanel(100));
    EXPECT_EQ(c.doc.m_pCurrentObject, m.FindObject(101));

    // A button belongs to no panel: the panel shown stays.
    EXPECT_TRUE(CRecordPlace::Find(m, Message(messages, "Button Id 1001"), nullptr).Select(c.doc));
    EXPECT_EQ(c.doc.m_pCurrentPanel, m.FindPanel(100));
    EXPECT_EQ(c.doc.m_pCurrentObject, m.FindButton(1001));

    // Nothing to select changes nothing; none of it is an edit.
    EXPECT_FALSE(CRecordPlace::Find(m, Message(messages, "Light Id 900"), nullptr).Select(c.doc));
    EXPECT_EQ(c.doc.m_pCurrentObject, m.FindButton(1001));
    EXPECT_FALSE(c.doc.IsModified());
}

TEST(DocumentChecks, ObserversHearEveryCheckAndAListingObserverReplacesTheDialog)
{
    CTestCockpit c(TestData("problems.dat"));
    CCheckListener listener;
    c.doc.AddObserver(&listener);

    // Nobody shows the results: Check Cockpit opens the dialog as before.
    c.doc.OnCheckCockpit();
    EXPECT_EQ(c.ui.m_aCheckResults.size(), 1u);
    ASSERT_EQ(listener.m_aHeard.size(), 1u);
    EXPECT_TRUE(listener.m_aHeard[0].second);
    EXPECT_EQ(listener.m_aHeard[0].first, c.ui.m_aCheckResults[0]);

    // A listener that shows them replaces the dialog.
    listener.m_bShows = true;
    c.doc.OnCheckCockpit();
    EXPECT_EQ(c.ui.m_aCheckResults.size(), 1u);
    EXPECT_EQ(listener.m_aHeard.size(), 2u);

    // A save whose check fails always asks with "Save Anyway", then lists the problems too.
    CTempDir dir;
    c.ui.m_nCheckAnswer = IDCANCEL;
    EXPECT_FALSE(c.doc.OnSaveDocument(dir.File("out.dat")));
    EXPECT_EQ(c.ui.m_aSaveAnywayShown, (std::vector<bool>{false, true}));
    ASSERT_EQ(listener.m_aHeard.size(), 3u);
    EXPECT_FALSE(listener.m_aHeard[2].second);
    EXPECT_EQ(listener.m_aHeard[2].first, c.ui.m_aCheckResults[1]);

    // A check that passes is heard too, with no messages, and shows no dialog.
    CTestCockpit clean(TestData("clean.dat"));
    clean.doc.AddObserver(&listener);
    clean.doc.OnCheckCockpit();
    EXPECT_TRUE(clean.ui.m_aCheckResults.empty());
    ASSERT_EQ(listener.m_aHeard.size(), 4u);
    EXPECT_TRUE(listener.m_aHeard[3].first.empty());
    clean.doc.RemoveObserver(&listener);
    c.doc.RemoveObserver(&listener);
}
