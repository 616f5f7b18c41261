// Import, export and synchronisation from the main window, against the simulated machine.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <fstream>

#include "key_tree_fixture.h"
#include "main_window_fixture.h"
#include "model/key_files.h"
#include "model/record_builder.h"
#include "platform/afx/file_dialog.h"
#include "platform/clock/clock.h"
#include "platform/d2xx/d2xx.h"
#include "support/fake_clock.h"
#include "support/simulated_machine.h"
#include "ui/message_script.h"
#include "ui_fixture.h"

namespace {

using ui_test::MakeKey;
using Texts = std::vector<std::wstring>;

class FrameTransferTest : public ui_test::MainWindowTest {
  protected:
    FrameTransferTest() { WriteConfig("[LanguageKey]\nLanguage=1\n"); }

    Texts Shown() const {
        Texts texts;
        for (const ShownMessage& message : script_.Shown()) {
            texts.push_back(message.text);
        }
        return texts;
    }
    void ClickAndWait(const wchar_t* button) {
        ui_test::Click(Control(button));
        if (frame_->GetSyncWorker()) {
            afx::PumpUntilFinished(frame_->GetSyncWorker());
        }
        ui_test::Settle();
    }

    ScopedMessageScript script_{{}};
    test::FakeClock clock_;
    platform::ScopedClock clockScope_{&clock_};
    test::SimulatedMachine machine_;
    platform::ScopedD2xxBackend backendScope_{&machine_};
};

TEST_F(FrameTransferTest, ImportCancelledLeavesTheTreeAndImportedKeysShowUnderTheirMaker) {
    SaveKeyData({MakeKey(-101, "A4_U", 1)});
    ASSERT_NE(Open(), nullptr);
    afx::TreeItem root = frame_->GetTreeView().GetTreeCtrl().GetRootItem();
    afx::FileDialog::ScriptNextAnswer(std::nullopt);
    ui_test::Click(Control(L"InputButton"));
    EXPECT_EQ(frame_->GetTreeView().GetTreeCtrl().GetRootItem(), root);  // not rebuilt
    auto request = afx::FileDialog::LastRequest();
    ASSERT_TRUE(request.has_value());
    EXPECT_TRUE(request->open);
    EXPECT_EQ(request->filters.size(), 2u);
    EXPECT_EQ(request->initialFolder, program_.wide());

    // A key file from another installation: its keys join with new ids.
    KeyDataList file = {MakeKey(-101, "X5_U", 2), MakeKey(-102, "POLO_U", 4)};
    test::WriteBytes(current_ / "shared.u", RecordBytes(file));
    afx::FileDialog::ScriptNextAnswer((current_ / "shared.u").wstring());
    ui_test::Click(Control(L"InputButton"));
    EXPECT_EQ(g_KeyData.size(), 3u);
    EXPECT_EQ(frame_->GetTreeView().GetTotalKeys(), 3);
    EXPECT_EQ(RootLabel(), L"Define key data（3）");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(FrameTransferTest, ImportThatRunsOutOfKeyIdsSaysSo) {
    std::ofstream(current_ / "config.ini") << "[key]\nID=-32767\n";
    KeyDataList file = {MakeKey(-101, "X5_U", 2), MakeKey(-102, "POLO_U", 4)};
    test::WriteBytes(current_ / "shared.u", RecordBytes(file));
    ASSERT_NE(Open(), nullptr);
    g_KeyDataEdit = test::EveryUserIdBut(-32768);
    afx::FileDialog::ScriptNextAnswer((current_ / "shared.u").wstring());
    ui_test::Click(Control(L"InputButton"));
    EXPECT_EQ(g_KeyData.size(), 1u);
    EXPECT_EQ(Shown(), Texts{L"No key id is left: no more keys can be added."});
}

TEST_F(FrameTransferTest, ExportWithoutKeysSaysSoAndWithKeysWritesThem) {
    ASSERT_NE(Open(), nullptr);
    afx::FileDialog::ScriptNextAnswer(std::nullopt);
    ui_test::Click(Control(L"OutputButton"));
    EXPECT_TRUE(Shown().empty());  // cancelled: nothing

    afx::FileDialog::ScriptNextAnswer((current_ / "out").wstring());
    ui_test::Click(Control(L"OutputButton"));
    EXPECT_EQ(Shown(), Texts{L"No key information."});
    EXPECT_EQ(script_.Shown()[0].type, kMessageWarning);
    auto request = afx::FileDialog::LastRequest();
    EXPECT_FALSE(request->open);
    EXPECT_EQ(request->title, L"Select file path.");
    EXPECT_EQ(request->defaultExtension, L"u");

    g_KeyData = {MakeKey(-101, "A4_U", 1), MakeKey(-102, "Q7_U", 1)};
    SaveKeyData(g_KeyData);
    afx::FileDialog::ScriptNextAnswer((current_ / "out").wstring());
    ui_test::Click(Control(L"OutputButton"));
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(current_ / "out.u"), 2 * sizeof(KeyDataRecord));
}

TEST_F(FrameTransferTest, SynchronisationSucceedsAgainstTheMachine) {
    SaveKeyData({MakeKey(-101, "A4_U", 1)});
    ASSERT_NE(Open(), nullptr);
    ui_test::Click(Control(L"SynchServer"));
    // Disabled at the click, before the worker has done anything; a second click starts nothing.
    EXPECT_FALSE(Control(L"SynchServer")->IsEnabled());
    EXPECT_FALSE(Control(L"UpdateMachine")->IsEnabled());
    EXPECT_TRUE(Control(L"InputButton")->IsEnabled());
    EXPECT_EQ(TextOf(L"TextUI1"), L"Connecting to machine...");
    afx::WorkerHandle first = frame_->GetSyncWorker();
    ui_test::Click(Control(L"SynchServer"));
    EXPECT_EQ(frame_->GetSyncWorker(), first);
    afx::PumpUntilFinished(first);
    ui_test::Settle();

    EXPECT_EQ(Shown(), Texts{L"Send success"});
    EXPECT_TRUE(machine_.HasFile("2:\\KeyDataU\\-0101"));
    EXPECT_EQ(machine_.Mode(), test::MachineMode::Normal);
    EXPECT_EQ(TextOf(L"TextUI1"), L"");
    EXPECT_TRUE(Control(L"SynchServer")->IsEnabled());
    EXPECT_TRUE(Control(L"UpdateMachine")->IsEnabled());
}

TEST_F(FrameTransferTest, AnAbsentMachineFailsToConnect) {
    machine_.SetDescription("");
    ASSERT_NE(Open(), nullptr);
    ClickAndWait(L"SynchServer");
    EXPECT_EQ(Shown(), Texts{L"Connect to machine failed"});
    EXPECT_TRUE(Control(L"SynchServer")->IsEnabled());
    EXPECT_EQ(TextOf(L"TextUI1"), L"");
}

TEST_F(FrameTransferTest, ARefusingMachineIsAFailureWithItsCode) {
    SaveKeyData({MakeKey(-101, "A4_U", 1)});
    machine_.InjectFaultAlways(0xA7, test::MachineFault::Status(2));
    ASSERT_NE(Open(), nullptr);
    ClickAndWait(L"SynchServer");
    EXPECT_EQ(Shown(), Texts{L"Send failed.(7)"});
    EXPECT_EQ(machine_.Mode(), test::MachineMode::Normal);
    EXPECT_FALSE(machine_.IsOpen());

    // In the language of the window.
    ui_test::Click(Control(L"Language8"));
    ClickAndWait(L"SynchServer");
    EXPECT_EQ(Shown().back(), L"Sändningen misslyckades.(7)");
}

TEST_F(FrameTransferTest, AnUnreadableDatabaseIsAFailedCopy) {
    std::filesystem::create_directory(program_ / "KeyData.u");
    ASSERT_NE(Open(), nullptr);
    ClickAndWait(L"SynchServer");
    EXPECT_EQ(Shown(), Texts{L"Send failed.(7)"});
    EXPECT_EQ(machine_.Mode(), test::MachineMode::Normal);
}

TEST_F(FrameTransferTest, ClosingDuringASynchronisationEndsTheProgramAfterIt) {
    SaveKeyData({MakeKey(-101, "A4_U", 1)});
    ASSERT_NE(Open(), nullptr);
    // A key begun in the wizard: the close asks about it before anything else.
    auto* wizard = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
    ASSERT_NE(wizard, nullptr);
    wizard->ShowWizard();
    ui_test::Settle();
    ui_test::Click(wizard->GetPaintManager().FindControl(L"keyType1"));
    ui_test::Click(Control(L"SynchServer"));
    afx::WorkerHandle worker = frame_->GetSyncWorker();
    // The worker cannot end before the event loop runs its calls: the close comes while it runs.
    {
        // Cancel leaves nothing waiting to end the program; No lets the close go on.
        ScopedMessageScript answers({{kAnswerCancel, L""}, {kAnswerNo, L""}});
        ui_test::Click(Control(L"CloseBtn"));
        EXPECT_TRUE(Control(L"CloseBtn")->IsEnabled());
        ui_test::Click(Control(L"CloseBtn"));
        EXPECT_EQ(answers.Shown().size(), 2u);
    }
    const std::wstring waiting = L"The program closes once the machine is released...";
    EXPECT_EQ(TextOf(L"TextUI1"), waiting);
    EXPECT_FALSE(Control(L"CloseBtn")->IsEnabled());
    ui_test::SaveScreenshot(frame_->GetHWND(), "closing_during_sync.png");
    const ui_test::ScopedLoopDeadline deadline(std::chrono::seconds(20));
    EXPECT_EQ(dui::CPaintManagerUI::MessageLoop(), 0);
    // The loop ended only after the worker had reported and let go of the machine.
    EXPECT_EQ(Shown(), Texts{L"Send success"});
    EXPECT_EQ(machine_.Mode(), test::MachineMode::Normal);
    EXPECT_FALSE(machine_.IsOpen());
    EXPECT_TRUE(Control(L"SynchServer")->IsEnabled());
    EXPECT_EQ(TextOf(L"TextUI1"), waiting);  // the worker's own texts did not replace it
    afx::PumpUntilFinished(worker);
}

TEST_F(FrameTransferTest, AKeyBegunWhileTheCloseWaitsIsAskedAboutWhenTheMachineIsReleased) {
    ASSERT_NE(Open(), nullptr);
    auto* wizard = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
    ASSERT_NE(wizard, nullptr);
    ScopedMessageScript answers({{kAnswerOk, L""}, {kAnswerCancel, L""}});
    // Nothing lets the event loop run until the worker is waited for, so the worker cannot end
    // before the close and the key begun after it.
    ui_test::Click(Control(L"SynchServer"));
    afx::WorkerHandle worker = frame_->GetSyncWorker();
    ui_test::Click(Control(L"CloseBtn"));
    wizard->ShowWizard();
    ui_test::Click(wizard->GetPaintManager().FindControl(L"keyType1"));
    afx::PumpUntilFinished(worker);
    ui_test::Settle();
    ASSERT_EQ(answers.Shown().size(), 2u);
    EXPECT_EQ(answers.Shown()[1].text, L"Exit edit and save data?");
    // Cancel leaves the program open as before the close, with the key on its step.
    EXPECT_TRUE(Control(L"CloseBtn")->IsEnabled());
    EXPECT_EQ(TextOf(L"TextUI1"), L"");
    EXPECT_TRUE(dui::IsWindowVisible(wizard->GetHWND()));
}

struct DialogLanguage {
    int language;
    const char* saveButton;
};

class ExportDialogLanguage : public FrameTransferTest,
                             public ::testing::WithParamInterface<DialogLanguage> {};

// The file dialog's own texts follow the window's language; its picture is kept for looking at.
TEST_P(ExportDialogLanguage, SpeaksTheWindowsLanguage) {
    WriteConfig("[LanguageKey]\nLanguage=" + std::to_string(GetParam().language) + "\n");
    ASSERT_NE(Open(), nullptr);
    QStringList buttons;
    ui_test::Later([&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        ui_test::SaveScreenshot(dialog,
                                "export_dialog_" + std::to_string(GetParam().language) + ".png");
        dialog->close();
    });
    ui_test::Click(Control(L"OutputButton"));
    EXPECT_TRUE(buttons.contains(QString::fromUtf8(GetParam().saveButton)))
        << buttons.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, ExportDialogLanguage,
                         ::testing::Values(DialogLanguage{0, "保存(&S)"},
                                           DialogLanguage{3, "&Salva"}, DialogLanguage{8, "&Spara"},
                                           DialogLanguage{1, "&Save"}));

}  // namespace
