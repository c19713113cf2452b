#include "sheettesting.h"

#include "ccheckresultsdlg.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "cqtrecordeditor.h"
#include "cqtuserinterface.h"
#include "cselecttypedlg.h"
#include "recordtypes.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

TEST(CheckResults, ListsTheMessagesAndOpensTheRowsRecord)
{
    CCPManager manager;
    CQtRecordEditor editor;
    manager.SetEditor(&editor);
    auto sound = std::make_unique<CCPSound>(&manager);
    CCPSound* raw = sound.get();
    manager.AddSound(std::move(sound));
    CCheckMessageArray messages{
        {"Manager, No template file", &manager, "", 0},
        {"Button Id 1001, sound 1 7 not defined, with a long text that needs a wide column", raw,
         "", 0}};

    CCheckResultsDlg onCommand(messages, false);
    QTreeWidget& list = *onCommand.GetList();
    EXPECT_EQ(list.headerItem()->text(0), "Error");
    EXPECT_EQ(list.columnCount(), 1);
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(1)->text(0), QString::fromStdString(messages[1].m_strMessage));
    EXPECT_GT(list.columnWidth(0), 200);
    EXPECT_TRUE(onCommand.GetSaveAnyway()->isHidden());

    // A double-click opens that record's sheet over the dialog, which stays as it was.
    CScriptedRunner runner;
    runner.Then([](QDialog& d) {
        SetText(*As<CCPDisplay>(d).GetActivePage(), "Sound Index", "5");
        d.accept();
    });
    emit list.itemDoubleClicked(list.topLevelItem(1), 0);
    EXPECT_EQ(runner.m_titles, QStringList{"Sound Properties"});
    EXPECT_EQ(raw->m_nEntry, 5);
    EXPECT_EQ(list.topLevelItemCount(), 2);

    CCheckResultsDlg onSave(messages, true);
    EXPECT_FALSE(onSave.GetSaveAnyway()->isHidden());
    CQtUserInterface ui;
    runner.Then([](QDialog& d) {
        EXPECT_FALSE(As<CCheckResultsDlg>(d).GetSaveAnyway()->isHidden());
        As<CCheckResultsDlg>(d).GetSaveAnyway()->click();
    });
    runner.Then([](QDialog& d) {
        EXPECT_TRUE(As<CCheckResultsDlg>(d).GetSaveAnyway()->isHidden());
        Click(d, "Cancel");
    });
    EXPECT_EQ(ui.CheckResults(messages, true), IDOK);
    EXPECT_EQ(ui.CheckResults(messages, false), IDCANCEL);
}

TEST(SelectObjectType, ListsExactlyTheTypesThatGoOnAPanelWithTheirCodes)
{
    CSelectTypeDlg dlg;
    const QComboBox& list = *dlg.GetList();
    int placeable = 0;
    for (const CRecordType& type : RecordTypes())
        placeable += type.placeable;
    ASSERT_EQ(list.count(), placeable);
    for (int i = 0; i < list.count(); ++i) {
        const CRecordType* type = FindRecordTypeOfCode(list.itemData(i).toInt());
        ASSERT_NE(type, nullptr) << list.itemText(i).toStdString();
        EXPECT_TRUE(type->placeable) << type->name;
        EXPECT_EQ(list.itemText(i), QString::fromLatin1(type->name));
    }
}

TEST(SelectObjectType, SortedNamesAndNothingChosen)
{
    CSelectTypeDlg dlg;
    QComboBox& list = *dlg.GetList();
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.itemText(i);
    EXPECT_EQ(names, (QStringList{"Adi", "Buffer", "ButtonView", "Chevron", "Ded", "Dial", "Digits",
                                  "Hsi", "Indicator", "KneeView", "LiftLine", "Light", "MachAsi",
                                  "Surface", "Text"}));
    EXPECT_EQ(list.currentIndex(), -1);

    CQtUserInterface ui;
    CScriptedRunner runner;
    runner
        .Then([](QDialog& d) { d.accept(); }) // OK with nothing chosen
        .Then([](QDialog& d) {
            auto& type = As<CSelectTypeDlg>(d);
            type.GetList()->setCurrentIndex(type.GetList()->findText("Ded"));
            d.reject();
        })
        .Then([](QDialog& d) {
            auto& type = As<CSelectTypeDlg>(d);
            type.GetList()->setCurrentIndex(type.GetList()->findText("Ded"));
            d.accept();
        });
    int code = 99;
    EXPECT_EQ(ui.SelectObjectType(code), IDCANCEL);
    EXPECT_EQ(ui.SelectObjectType(code), IDCANCEL);
    EXPECT_EQ(code, 99);
    EXPECT_EQ(ui.SelectObjectType(code), IDOK);
    EXPECT_EQ(code, 11);

    // Buffer is listed but makes nothing: OK says why and the dialog stays for another choice.
    runner.Then([](QDialog& d) {
        auto& type = As<CSelectTypeDlg>(d);
        type.GetList()->setCurrentIndex(type.GetList()->findText("Buffer"));
        d.accept();
        EXPECT_FALSE(Accepted(d));
        type.GetList()->setCurrentIndex(type.GetList()->findText("Surface"));
        d.accept();
    });
    EXPECT_EQ(ui.SelectObjectType(code), IDOK);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(runner.m_messages.size(), 1);
    EXPECT_TRUE(runner.m_messages[0].startsWith("A Buffer is not added on its own"));
    EXPECT_TRUE(runner.m_messages[0].contains("Choose Surface"));
}

TEST(UserInterface, MessageBoxShowsIconAndDetails)
{
    CQtUserInterface ui;
    CScriptedRunner runner;
    ui.MessageBox("Error in file at line 3,  Text Bad string 'x'", IUserInterface::Exclamation);
    ui.MessageBox("Loaded with 14 errors", IUserInterface::Information, "line 40\nline 41");
    ui.MessageBox("caf\xe9", IUserInterface::Stop); // Latin-1 bytes of a record
    EXPECT_EQ(runner.m_messages, (QStringList{"Error in file at line 3,  Text Bad string 'x'",
                                              "Loaded with 14 errors", "café"}));
    EXPECT_EQ(runner.m_details, (QStringList{"", "line 40\nline 41", ""}));
    EXPECT_EQ(runner.m_icons,
              (std::vector<QMessageBox::Icon>{QMessageBox::Warning, QMessageBox::Information,
                                              QMessageBox::Critical}));
}
