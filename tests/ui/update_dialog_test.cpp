// The update tool's window: texts per language, the version list, locking while a worker
// runs, closing, the serial-number prompt, and the main window's update button.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "main_window_fixture.h"
#include "platform/afx/file_dialog.h"
#include "platform/fs/fs.h"
#include "res/update_bitmaps.h"
#include "ui/show_message.h"
#include "update_dialog_fixture.h"

namespace {

constexpr int kStepsGroup = 1091;
constexpr int kVersionList = 1081;
constexpr int kRefresh = 1009;
constexpr int kStart = 1047;
constexpr int kMenu = 1059;
constexpr int kStatus = 1083;
constexpr int kClose = 1010;

using ui_test::UpdateDialogTest;

// For an opaque picture of the skin folder, which covers the button whole.
bool DrawsPicture(QWidget* button, int bitmapId) {
    std::wstring path = platform::ProgramFolder() + L"skin/" + res::BitmapFileName(bitmapId);
    QImage picture(QString::fromStdWString(path));
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
           picture.convertToFormat(QImage::Format_RGB32);
}

TEST_F(UpdateDialogTest, ShowsTheTextsOfItsLanguageOnControlsAndMenu) {
    struct Row {
        int language;
        const wchar_t *steps, *start, *deviceInfo, *clamp;
    };
    const Row table[] = {
        {0, L"升级步骤", L"开始在线升级", L"读取设备信息", L"使用夹具选择"},
        {1, L"Update Steps", L"Update Online", L"Device Info", L"Select clamp"},
        {9, L"Update Steps", L"Update Online", L"Device Info", L"Select clamp"},
        {3, L"aggiornamento Steps", L"Aggiornamento in linea", L"Informazioni sul dispositivo",
         L"Seleziona morsetto"},
        {8, L"Steg för uppdatering", L"Uppdatera Online", L"Enhetsinfo", L"Ange back"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.language);
        Open(row.language);
        EXPECT_EQ(TextOf(kStepsGroup), row.steps);
        EXPECT_EQ(TextOf(kStart), row.start);
        afx::Menu menu = ChooseMenuCommand();
        ASSERT_EQ(menu.Items().size(), 8u);
        EXPECT_EQ(menu.Items()[0].text, row.deviceInfo);
        EXPECT_EQ(menu.Items()[4].text, row.clamp);
        EXPECT_EQ(menu.Items()[7].text, L"仅更新程序");
    }
}

TEST_F(UpdateDialogTest, EnglishKeepsWhatAnEarlierLanguageLeftInItsEmptyEntries) {
    CMachineAltoUpdate dialog;
    dialog.SetLanguage(1);
    EXPECT_EQ(dialog.Text(22), L"");
    EXPECT_EQ(dialog.Text(5), L"");
    dialog.SetLanguage(0);
    dialog.SetLanguage(2);
    EXPECT_EQ(dialog.Text(22), L"设置夹具中...");
    EXPECT_EQ(dialog.Text(5), L"生成成功.(%d分%d秒)");
    EXPECT_EQ(dialog.Text(1), L"Getting version info...");
}

TEST_F(UpdateDialogTest, WithoutVersionsTheStartAndListStayDisabledAndRepairIsGreyed) {
    server_.SetRawReply(test::ReplyBlockBytes({{0}}));
    Open(1);
    EXPECT_FALSE(Enabled(kVersionList));
    EXPECT_FALSE(Enabled(kStart));
    EXPECT_TRUE(Enabled(kMenu) && Enabled(kRefresh) && Enabled(kClose));
    EXPECT_EQ(TextOf(kStatus), L"");
    EXPECT_FALSE(ChooseMenuCommand().IsEnabled(CMachineAltoUpdate::kRepairDataCommand));
}

// The worker waits in the question while the test looks at the window and tries to close it.
TEST_F(UpdateDialogTest, WhileAWorkerRunsTheControlsAreLockedAndNothingClosesTheDialog) {
    server_.SetNotes({"V1.0.7"});
    server_.SetVersions({"V1.0.7"});
    bool asked = false;
    Open(1, [&](const std::wstring&, int) {
        asked = true;
        EXPECT_TRUE(dialog_->IsWorkerRunning());
        for (int id : {kMenu, kRefresh, kClose, kVersionList, kStart}) {
            EXPECT_FALSE(Enabled(id)) << id;
        }
        QWidget* window = dialog_->GetSafeWidget();
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_Return);
        window->close();
        EXPECT_TRUE(window->isVisible());
        return kAnswerNo;
    });
    EXPECT_EQ(TextOf(kVersionList), L"V1.0.7");
    EXPECT_TRUE(ChooseMenuCommand().IsEnabled(CMachineAltoUpdate::kRepairDataCommand));
    ChooseMenuCommand(CMachineAltoUpdate::kClearAllDataCommand);
    WaitForWorker();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(dialog_->GetSafeWidget()->isVisible());
    for (int id : {kMenu, kRefresh, kClose, kVersionList, kStart}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    QTest::keyClick(dialog_->GetSafeWidget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->GetSafeWidget()->isVisible());
}

// The server takes the refresh's request and never answers, which would hold the refresh for
// 30 attempts of 40 s: longer than any test may take.
class SilentRefresh : public UpdateDialogTest {
  protected:
    static constexpr std::chrono::seconds kReceiveTimeout{40};

    void OpenWhileTheServerIsSilent() {
        server_.SetOperationFault(kOperationVersionNotes, 1, test::ServerFault::kSilence);
        server_.SetNotes({"V1.0.7"});
        server_.SetVersions({"V1.0.7"});
        dialog_ = std::make_unique<CMachineAltoUpdate>();
        dialog_->SetLanguage(1);
        dialog_->Create(nullptr);
        while (server_.Requests().empty()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    ScopedServerEndpoint patient_{server_.Endpoint(kReceiveTimeout)};
};

// Closing stops the refresh: the worker is gone once the dialog has closed, and nothing more
// reaches the dialog or the server. The main window keeps one dialog and opens it again: the
// stop of the closed run must not reach the next one's refresh.
TEST_F(SilentRefresh, ClosingEndsItsWorker) {
    OpenWhileTheServerIsSilent();
    EXPECT_FALSE(Enabled(kRefresh));
    ClickItem(kClose);
    EXPECT_FALSE(dialog_->GetSafeWidget()->isVisible());
    EXPECT_TRUE(dialog_->GetWorker()->Finished());
    EXPECT_FALSE(dialog_->IsWorkerRunning());
    EXPECT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(TextOf(kStatus), L"Getting version info...");

    dialog_->DestroyWindow();
    dialog_->Create(nullptr);
    WaitForWorker();
    EXPECT_EQ(TextOf(kVersionList), L"V1.0.7");
    EXPECT_TRUE(Enabled(kStart));
}

// The main window destroys the dialog as the program ends, the tool still open: the refresh is
// stopped, not sat out, so the program ends at once.
TEST_F(SilentRefresh, DestroyingEndsItsWorker) {
    OpenWhileTheServerIsSilent();
    afx::WorkerHandle refresh = dialog_->GetWorker();
    auto destroyStarted = std::chrono::steady_clock::now();
    dialog_.reset();
    auto destroying = std::chrono::steady_clock::now() - destroyStarted;
    EXPECT_LT(destroying, kReceiveTimeout / 2)
        << std::chrono::duration_cast<std::chrono::milliseconds>(destroying).count() << " ms";
    EXPECT_TRUE(refresh->Finished());
    EXPECT_EQ(server_.Requests().size(), 1u);
}

// Locking the controls takes the keyboard focus from the clicked button, and the close button is
// the one left to take it: only the mouse over a button draws it hot.
TEST_F(UpdateDialogTest, TheCloseButtonIsDrawnHotOnlyWhileTheMouseIsOverIt) {
    Open(1);
    QWidget* window = dialog_->GetSafeWidget();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto hot = [this] { return DrawsPicture(Item(kClose), res::kCloseButtonBitmaps.focus); };
    ClickItem(kRefresh);
    ASSERT_TRUE(dialog_->IsWorkerRunning());
    EXPECT_FALSE(hot());
    WaitForWorker();
    EXPECT_FALSE(hot());
    // From elsewhere: a move to where the cursor already is reaches no one.
    QTest::mouseMove(Item(kStepsGroup));
    QTest::mouseMove(Item(kClose));
    EXPECT_TRUE(hot());
}

// A work folder that others may enter is refused. The commands that write into it then start
// nothing, say why, and write nothing anywhere.
TEST_F(UpdateDialogTest, WithARefusedWorkFolderTheCommandsThatNeedItStartNothing) {
    std::filesystem::path planted = PlantOpenWorkFolder();
    server_.SetNotes({"V1.0.7"});
    server_.SetVersions({"V1.0.7"});
    Open(8);
    afx::WorkerHandle refresh = dialog_->GetWorker();
    const std::wstring why =
        L"Arbetsmappen kan inte användas: öppen för andra användare (" + planted.wstring() + L")";
    // A prompt for the serial number, were one shown, is closed unanswered.
    ui_test::Later([] {
        if (QWidget* prompt = QApplication::activeModalWidget()) {
            prompt->close();
        }
    });
    for (int command :
         {kStart, CMachineAltoUpdate::kRepairDataCommand, CMachineAltoUpdate::kCreateFileCommand}) {
        SCOPED_TRACE(command);
        dialog_->SetStatusText(L"");
        command == kStart ? ClickItem(kStart) : (void)ChooseMenuCommand(command);
        EXPECT_EQ(dialog_->GetWorker(), refresh);
        EXPECT_EQ(TextOf(kStatus), why);
    }
    EXPECT_EQ(machine_.Opens(), 0);
    EXPECT_EQ(server_.Requests().size(), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(planted));
}

// The locked start button hides the dialog's own guard, so the command is sent as Windows would
// send it, twice, before the first worker can end: the update runs once.
TEST_F(UpdateDialogTest, AStartSentWhileItsWorkerRunsStartsNoSecondOne) {
    server_.SetNotes({"V1.0.7"});
    server_.SetVersions({"V1.0.7"});
    Open(1);
    auto* start = dynamic_cast<QAbstractButton*>(Item(kStart));
    ASSERT_NE(start, nullptr);
    emit start->clicked();
    afx::WorkerHandle first = dialog_->GetWorker();
    emit start->clicked();
    EXPECT_EQ(dialog_->GetWorker(), first);
    WaitForWorker();
    EXPECT_EQ(server_.RequestCount(kOperationFirmware), 1);
}

struct PromptCase {
    const wchar_t* typed;
    bool confirm;
    const wchar_t* serial;  // what the dialog keeps; null when no worker starts
};

class SerialPrompt : public UpdateDialogTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SerialPrompt, StartsTheFileCreationOnlyForATypedNumberInUpperCase) {
    const PromptCase& c = GetParam();
    Open(1);
    afx::WorkerHandle refresh = dialog_->GetWorker();
    afx::FileDialog::ScriptNextAnswer(std::nullopt);
    ui_test::Later([&] {
        QWidget* prompt = QApplication::activeModalWidget();
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->windowTitle(), QStringLiteral("序列号"));
        prompt->findChild<QLineEdit*>()->insert(QString::fromStdWString(c.typed));
        if (c.confirm) {
            prompt->findChild<QPushButton*>()->click();
        } else {
            prompt->close();
        }
    });
    ChooseMenuCommand(CMachineAltoUpdate::kCreateFileCommand);
    EXPECT_EQ(dialog_->GetWorker() != refresh, c.serial != nullptr);
    WaitForWorker();
    EXPECT_EQ(dialog_->GetSerial(), c.serial ? c.serial : L"");
}

INSTANTIATE_TEST_SUITE_P(Answers, SerialPrompt,
                         ::testing::Values(PromptCase{L"vx123", false, nullptr},
                                           PromptCase{L"", true, nullptr},
                                           PromptCase{L"vx12ab-é9", true, L"VX12AB-é9"}));

class UpdateFromMainWindow : public ui_test::MainWindowTest {
  protected:
    test::SimulatedMachine machine_;
    platform::ScopedD2xxBackend backendScope_{&machine_};
    test::LoopbackUpdateServer server_;
    ScopedServerEndpoint endpointScope_{server_.Endpoint()};
};

TEST_F(UpdateFromMainWindow, TheUpdateButtonRunsTheToolInTheWindowsLanguage) {
    WriteConfig("[LanguageKey]\nLanguage=3\n");
    ASSERT_NE(Open(), nullptr);
    CMachineAltoUpdate& dialog = frame_->GetUpdateDlg();
    std::wstring shown;
    // Polled from a timer: the version refresh needs the modal loop to serve it meanwhile.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (dialog.GetSafeWidget() == nullptr || dialog.IsWorkerRunning()) {
            return;
        }
        poll.stop();
        afx::Static group;
        group.Attach(dialog.GetDlgItem(kStepsGroup));
        shown = group.GetWindowText();
        QWidget* close = dialog.GetDlgItem(kClose);
        QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    });
    poll.start(1);
    ui_test::Click(Control(L"UpdateMachine"));
    EXPECT_EQ(shown, L"aggiornamento Steps");
    EXPECT_EQ(dialog.GetLanguage(), 3);
    EXPECT_EQ(dialog.GetSafeWidget(), nullptr);
}

// Built with the main window and never opened: no window, no server request, no USB traffic.
TEST_F(UpdateFromMainWindow, TheSecondToolMakesTheWorkFolderAndNothingElse) {
    ASSERT_NE(Open(), nullptr);
    const CVorlantrexUpdateDlg& variant = frame_->GetVorlantrexDlg();
    EXPECT_EQ(variant.GetSafeWidget(), nullptr);
    EXPECT_EQ(variant.GetWorkFolder(), (current_.path() / "tarvan").wstring());
    EXPECT_TRUE(std::filesystem::is_directory(current_ / "tarvan"));
    delete frame_->GetHWND();
    frame_ = nullptr;
    ui_test::Settle();
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(machine_.Opens(), 0);
    EXPECT_TRUE(machine_.Writes().empty());
}

}  // namespace
