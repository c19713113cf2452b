#pragma once

#include "ccheckmessage.h"
#include "iuserinterface.h"

#include <functional>
#include <string>
#include <vector>

// Records every message and dialog the code under test shows, and answers with what the
// test set up.
class CRecordingUI : public IUserInterface
{
public:
    struct Box
    {
        std::string text;
        Icon icon;
        std::string details;
    };

    std::vector<Box> m_aBoxes;
    std::vector<std::vector<std::string>> m_aCheckResults; // texts of each Check Results shown
    std::vector<bool> m_aSaveAnywayShown;
    int m_nCheckAnswer = IDCANCEL;
    int m_nSelectAnswer = IDCANCEL;
    int m_nSelectCode = -1;
    int m_nBufferAnswer = IDCANCEL;
    std::function<void(CCPBuffer&)> m_fnFillBuffer; // runs before a Buffer dialog answers OK
    std::vector<std::string> m_aStatus;             // status bar notes

    void MessageBox(const std::string& text, Icon icon, const std::string& details) override
    {
        m_aBoxes.push_back({text, icon, details});
    }
    int CheckResults(CCheckMessageArray& messages, bool showSaveAnyway) override
    {
        std::vector<std::string> texts;
        for (const CCheckMessage& m : messages)
            texts.push_back(m.m_strMessage);
        m_aCheckResults.push_back(texts);
        m_aSaveAnywayShown.push_back(showSaveAnyway);
        return m_nCheckAnswer;
    }
    int SelectObjectType(int& code) override
    {
        if (m_nSelectAnswer == IDOK)
            code = m_nSelectCode;
        return m_nSelectAnswer;
    }
    int EditBuffer(CCPBuffer& buffer) override
    {
        if (m_nBufferAnswer == IDOK && m_fnFillBuffer)
            m_fnFillBuffer(buffer);
        return m_nBufferAnswer;
    }

    void StatusMessage(const std::string& text) override { m_aStatus.push_back(text); }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for (const Box& b : m_aBoxes)
            t.push_back(b.text);
        return t;
    }
};
