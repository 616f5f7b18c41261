// End to end through the main window: keys defined in the wizard's real widgets, saved into
// the key lists and their files, put into the tree and shown in the pane; loaded again for
// editing, saved unfinished and completed later, and a save that meets a full disk.

#include <QCoreApplication>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "add_key_fixture.h"
#include "key_info_fixture.h"
#include "key_tree_fixture.h"
#include "model/key_files.h"
#include "model/record_builder.h"
#include "platform/dui/native.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "res/strings.h"
#include "support/file_size_limit.h"
#include "ui/frame_wnd.h"
#include "ui/language.h"
#include "ui/message_script.h"

namespace ui_test {
namespace {

constexpr int kAudi = 1;

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    return platform::ReadWholeFile(path).value_or(std::vector<uint8_t>{});
}

std::vector<uint8_t> ListBytes(const KeyDataList& list) {
    auto bytes = RecordBytes(list);
    return {bytes.begin(), bytes.end()};
}

class SaveKeyTest : public AddKeyTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        res::SetUiLanguage(res::kLangEnglish);
        WriteCarFactory(current_, "[carCH]\n1=AUDI;奥迪\n[carEN]\n1=AUDI;Audi\n");
        OpenMainWindow();
    }
    void TearDown() override {
        // A box no test expected would have waited for an answer: it is answered and named.
        for (const ShownMessage& message : unexpected_.Shown()) {
            ADD_FAILURE() << "message box: " << platform::WideToUtf8(message.text);
        }
        AddKeyTest::TearDown();
        g_nLanguage = kLanguageNone;
        g_KeyData.clear();
        g_KeyDataEdit.clear();
    }

    void OpenMainWindow() {
        frame_ = new CDuiFrameWnd(L"Header.xml");
        ASSERT_NE(frame_->Create(nullptr, L"Vellomardstine", dui::WS_POPUP | dui::WS_VISIBLE, 0),
                  nullptr);
        frame_->ShowWindow(true, true);
        Settle();
        EXPECT_EQ(frame_->m_pAddKey, nullptr);  // nothing of it at start-up
        // Made as the key tree first asks for it.
        wizard_ = dynamic_cast<CAddKey*>(static_cast<KeyTreeOwner*>(frame_)->GetKeyWizard());
        ASSERT_NE(wizard_, nullptr);
    }
    void Restart() {
        frame_->Close(0);
        Settle();
        OpenMainWindow();
    }
    CLeftTreeView& Tree() { return frame_->GetTreeView(); }
    bool WizardShown() const { return dui::IsWindowVisible(wizard_->GetHWND()); }
    std::wstring PaneText(const wchar_t* name) {
        return frame_->m_pKeyInfo->GetPaintManager().FindControl(name)->GetText();
    }
    void Edit(int image, int keyId) {
        KeyWizardTarget target;
        target.editMode = true;
        target.makerId = kAudi;
        target.keyId = keyId;
        target.keyImage = image;
        ASSERT_TRUE(wizard_->CloseWizard());
        wizard_->SetTarget(target);
        wizard_->LoadKeyForEdit(image);
    }

    void WalkLoadedKeyToSave() {
        for (int step = 1; step < 5; ++step) {
            Press(L"NextBtn");
        }
        ASSERT_EQ(wizard_->GetCurStep(), 5);
    }

    test::TempFolder current_;
    test::ScopedCurrentFolder currentScope_{current_};
    ScopedSystemLanguage system_{1033};
    CDuiFrameWnd* frame_ = nullptr;
    ScopedMessageScript unexpected_{{}};
};

TEST_F(SaveKeyTest, EveryKeyTypeIsSavedShownKeptAcrossARestartAndEditedAgain) {
    frame_->SetLanguage(0);
    EXPECT_EQ(Text(L"step1"), L"钥匙类型");
    frame_->SetLanguage(1);
    for (int type = 1; type <= 8; ++type) {
        SCOPED_TRACE(type);
        Tree().AddNewKey(Tree().FindMakerItem(kAudi));
        ASSERT_TRUE(WizardShown());
        const std::wstring name = platform::Format(L"K%d", type);
        DefineKey(type, type == 4 || type == 8 ? 1 : 0, name, type == 2 || type == 6 ? 1 : 0);
        ScopedMessageScript none({});
        Press(L"NextBtn");
        EXPECT_TRUE(none.Shown().empty());
        EXPECT_FALSE(WizardShown());
        const KeyDataRecord& saved = g_KeyData.back();
        EXPECT_EQ(AnsiToWide(saved.keyName), name + L"_U");
        EXPECT_EQ(saved.keyId, -100 - type);
        EXPECT_EQ(saved.params.locating, type == 2 || type == 6 ? 1 : 0);
        EXPECT_NE(Tree().FindKeyItem(kImageKey, saved.keyId), nullptr);
        EXPECT_EQ(PaneText(L"l_keyName"), name + L"_U");
        EXPECT_EQ(ui_test::Shown(*frame_->m_pKeyInfo), Drawn(saved.params, {}));
    }
    const std::vector<uint8_t> onDisk = FileBytes(program_ / "KeyData.u");
    EXPECT_EQ(onDisk, ListBytes(g_KeyData));

    Restart();
    EXPECT_EQ(ListBytes(g_KeyData), onDisk);
    EXPECT_NE(Tree().FindKeyItem(kImageKey, -104), nullptr);
    // Each key back in the pages and saved unchanged: the same record again.
    for (int type = 1; type <= 8; ++type) {
        SCOPED_TRACE(type);
        const KeyDataRecord before = g_KeyData.front();
        Edit(kImageKey, before.keyId);
        ASSERT_TRUE(WizardShown());
        // The load locks the key type, and Previous is off on the key-shape step.
        EXPECT_FALSE(Enabled(L"step1"));
        EXPECT_FALSE(Enabled(L"LastBtn"));
        WalkLoadedKeyToSave();
        EXPECT_TRUE(Enabled(L"LastBtn"));
        Press(L"NextBtn");
        EXPECT_FALSE(WizardShown());
        EXPECT_EQ(std::memcmp(&g_KeyData.back(), &before, sizeof before), 0);
    }
    EXPECT_EQ(FileBytes(program_ / "KeyData.u"), onDisk);
}

// A Two Track key stores one clamp offset, for either side: the flat page offers exactly the
// input beside each of its two options, each shown with its side's picture, and saves what is
// typed.
TEST_F(SaveKeyTest, TwoTrackKeySavesTheOffsetTypedInTheOnlyInputItOffers) {
    struct Row {
        int side;
        const wchar_t* option;
        const wchar_t* picture;
        const wchar_t* schematic;  // the cell of the schematics' sheet
        int16_t offsetA, offsetB;
    };
    const Row table[] = {{0, L"OptionA1", L"step4xiaoA1", L"0,60,110,120", 0, 150},
                         {0, L"OptionA2", L"step4xiaoA2", L"110,60,220,120", 150, 0},
                         {1, L"OptionA1", L"step4xiaoA1", L"0,0,110,60", 0, 150},
                         {1, L"OptionA2", L"step4xiaoA2", L"110,0,220,60", 150, 0}};
    for (const Row& row : table) {
        SCOPED_TRACE(testing::Message() << "side " << row.side << " " << row.option);
        Tree().AddNewKey(Tree().FindMakerItem(kAudi));
        DefineKey(3, row.side, platform::Format(L"T%d", static_cast<int>(&row - table)));
        Press(L"step4");
        Press(L"Step4Option");
        Press(row.option);
        std::vector<std::wstring> inputs;
        for (int number = 6; number <= 9; ++number) {
            const std::wstring name = platform::Format(L"EditUI%d", number);
            if (Control(name)->GetWidget()->isVisible() && Enabled(name)) {
                inputs.push_back(name);
            }
        }
        ASSERT_EQ(inputs.size(), 1u);
        EXPECT_TRUE(Control(row.picture)->GetWidget()->isVisible());
        EXPECT_EQ(Control(row.picture)->GetBkImage(),
                  platform::Format(L"file='step4shiyixiao.png' source='%s'", row.schematic));
        Type(inputs[0], L"150");
        Press(L"step6");
        Press(L"NextBtn");
        ASSERT_FALSE(WizardShown());
        const KeyDataRecord& saved = g_KeyData.back();
        ASSERT_EQ(saved.blankCount, 1);
        EXPECT_EQ(saved.blanks[0].side, row.side);
        EXPECT_EQ(saved.blanks[0].offsetA, row.offsetA);
        EXPECT_EQ(saved.blanks[0].offsetB, row.offsetB);
    }
}

TEST_F(SaveKeyTest, UnfinishedKeyIsSavedByTheCloseQuestionAndFinishedLater) {
    Tree().AddNewKey(Tree().FindMakerItem(kAudi));
    // In the pane's place, over the main window.
    EXPECT_EQ(wizard_->GetHWND()->geometry(), QRect(255, 117, 745, 539));
    EXPECT_TRUE(wizard_->GetHWND()->isAncestorOf(frame_->GetHWND()->childAt(600, 300)));
    DefineKey(3, 1, L"");
    Type(L"EditUI12", L"");
    {
        ScopedMessageScript script({{kAnswerOk, L""}, {kAnswerOk, L"DRAFT"}});
        ASSERT_TRUE(wizard_->CloseWizard());
        ASSERT_EQ(script.Shown().size(), 2u);
        EXPECT_EQ(script.Shown()[0].text, L"Exit edit and save data?");
        EXPECT_EQ(script.Shown()[1].type, kMessageKeyName);
    }
    ASSERT_EQ(g_KeyDataEdit.size(), 1u);
    const int id = g_KeyDataEdit[0].keyId;
    EXPECT_STREQ(g_KeyDataEdit[0].keyName, "DRAFT_U");
    EXPECT_NE(Tree().FindKeyItem(kImageUnfinishedKey, id), nullptr);
    EXPECT_EQ(FileBytes(program_ / "KeyDataEdit.u"), ListBytes(g_KeyDataEdit));

    Edit(kImageUnfinishedKey, id);
    EXPECT_EQ(Text(L"EditUI11"), L"DRAFT");
    WalkLoadedKeyToSave();
    Type(L"EditUI12", L"X5");
    Press(L"NextBtn");
    EXPECT_TRUE(g_KeyDataEdit.empty());
    ASSERT_EQ(g_KeyData.size(), 1u);
    EXPECT_EQ(g_KeyData[0].keyId, id);
    EXPECT_EQ(g_KeyData[0].params.status, KeyStatusLive);
    EXPECT_EQ(Tree().FindKeyItem(kImageUnfinishedKey, id), nullptr);
    EXPECT_NE(Tree().FindKeyItem(kImageKey, id), nullptr);
    EXPECT_TRUE(FileBytes(program_ / "KeyDataEdit.u").empty());
}

// The main window's close, by its button or by the window manager, asks about a key that the
// wizard holds as the key tree does: Yes saves it, No drops it, and both end the program;
// Cancel keeps the program and the key.
TEST_F(SaveKeyTest, ClosingTheMainWindowAsksAboutTheKeyInTheWizard) {
    struct Row {
        int answer;
        bool byButton;
        int loopEnd;  // 7: the loop went on after the close
        size_t saved;
    };
    const Row table[] = {
        {kAnswerOk, true, 0, 1}, {kAnswerNo, false, 0, 1}, {kAnswerCancel, true, 7, 1}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.answer);
        Tree().AddNewKey(Tree().FindMakerItem(kAudi));
        DefineKey(1, 0, L"OPEN");
        ScopedMessageScript script({{row.answer, L""}});
        ui_test::Later([this, &row] {
            QCoreApplication::exit(7);  // a close that ends the program answers 0 instead
            row.byButton ? Click(frame_->GetPaintManager().FindControl(L"CloseBtn"))
                         : static_cast<void>(frame_->GetHWND()->close());
        });
        EXPECT_EQ(dui::CPaintManagerUI::MessageLoop(), row.loopEnd);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"Exit edit and save data?");
        EXPECT_EQ(g_KeyData.size(), row.saved);
        EXPECT_TRUE(g_KeyDataEdit.empty());
        EXPECT_EQ(WizardShown(), row.answer == kAnswerCancel);
    }
    // Cancel, the last, left the key where it was.
    EXPECT_EQ(wizard_->GetCurStep(), 5);
    EXPECT_EQ(Text(L"EditUI11"), L"OPEN");
}

TEST_F(SaveKeyTest, FullDiskIsReportedAndTheWizardKeepsTheKey) {
    Tree().AddNewKey(Tree().FindMakerItem(kAudi));
    DefineKey(1, 0, L"FIRST");
    Press(L"NextBtn");
    const std::vector<uint8_t> before = FileBytes(program_ / "KeyData.u");
    Tree().AddNewKey(Tree().FindMakerItem(kAudi));
    DefineKey(2, 0, L"SECOND");
    {
        test::ScopedFileSizeLimit full(before.size() + 100);
        ScopedMessageScript script({{kAnswerCancel, L""}});
        Press(L"NextBtn");
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"The key could not be saved.");
    }
    EXPECT_TRUE(WizardShown());
    EXPECT_EQ(wizard_->GetCurStep(), 5);
    EXPECT_EQ(Text(L"EditUI11"), L"SECOND");
    EXPECT_EQ(g_KeyData.size(), 1u);
    EXPECT_EQ(FileBytes(program_ / "KeyData.u"), before);
    // No id left to give: said, and nothing saved.
    std::ofstream(current_ / "config.ini") << "[key]\nID=-32768\n";
    g_KeyDataEdit = test::EveryUserIdBut(g_KeyData[0].keyId);
    {
        ScopedMessageScript script({{kAnswerCancel, L""}});
        Press(L"NextBtn");
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"The key could not be saved.");
    }
    EXPECT_EQ(g_KeyData.size(), 1u);
    std::filesystem::remove(current_ / "config.ini");
    g_KeyDataEdit.clear();
    Press(L"NextBtn");
    EXPECT_EQ(g_KeyData.size(), 2u);
    EXPECT_FALSE(WizardShown());
}

// The picks that a loaded key leaves for the step flow go with its run: after a cancelled edit
// of a two-sided key, a new key is the one a fresh wizard makes.
TEST_F(SaveKeyTest, ACancelledEditLeavesNothingToTheNextKey) {
    // A key of type 1 with the side, cuts and depths the pages offer; all but its name and id.
    auto newKey = [this](const std::wstring& name) {
        Tree().AddNewKey(Tree().FindMakerItem(kAudi));
        DefineKey(1, -1, name);
        Press(L"NextBtn");
        EXPECT_FALSE(WizardShown());
        KeyDataRecord saved = g_KeyData.back();
        std::memset(saved.keyName, 0, sizeof saved.keyName);
        std::memset(saved.params.keyName, 0, sizeof saved.params.keyName);
        saved.keyId = 0;
        return saved;
    };
    const KeyDataRecord fresh = newKey(L"FRESH");
    // A four-track key of side B: blades A 3, blades B 4, 3 depths.
    Tree().AddNewKey(Tree().FindMakerItem(kAudi));
    DefineKey(4, 1, L"TWO");
    Press(L"step3");
    Pick(L"step3ACombo", 1);
    Pick(L"step3BCombo", 2);
    Press(L"step5");
    Pick(L"keyDepthCombo", 1);
    Press(L"step6");
    Press(L"NextBtn");
    ASSERT_EQ(g_KeyData.back().params.cutsPerGroup[1], 4);
    Edit(kImageKey, g_KeyData.back().keyId);
    Press(L"CancelBtn");

    const KeyDataRecord after = newKey(L"AFTER");
    EXPECT_EQ(+after.params.edgeSide, +fresh.params.edgeSide);
    EXPECT_EQ(+after.params.cutsPerGroup[0], +fresh.params.cutsPerGroup[0]);
    EXPECT_EQ(+after.params.depthsPerGroup[0], +fresh.params.depthsPerGroup[0]);
    EXPECT_EQ(std::memcmp(&after, &fresh, sizeof after), 0);
}

TEST_F(SaveKeyTest, FinishedKeyStaysFinishedAndABadRecordLeavesNoTrace) {
    Tree().AddNewKey(Tree().FindMakerItem(kAudi));
    DefineKey(5, 1, L"A6");
    Press(L"NextBtn");
    const int id = g_KeyData[0].keyId;
    Edit(kImageKey, id);
    WalkLoadedKeyToSave();
    Type(L"EditUI12", L"");
    {
        ScopedMessageScript script({{kAnswerOk, L""}, {kAnswerCancel, L""}});
        EXPECT_FALSE(wizard_->CloseWizard());
        ASSERT_EQ(script.Shown().size(), 2u);
        EXPECT_EQ(script.Shown()[1].text, L"Enter the complete parameter.");
    }
    EXPECT_TRUE(WizardShown());
    EXPECT_TRUE(g_KeyDataEdit.empty());
    Press(L"CancelBtn");
    // After the run the next key may choose its type again.
    EXPECT_TRUE(Enabled(L"step1"));
    EXPECT_FALSE(wizard_->IsEditMode());

    KeyDataRecord bad = g_KeyData[0];
    bad.keyId = static_cast<int16_t>(id - 1);
    bad.params.keyType = 0;
    g_KeyData.push_back(bad);
    ASSERT_TRUE(SaveKeyData(g_KeyData));
    const std::vector<uint8_t> files = FileBytes(program_ / "KeyData.u");
    {
        ScopedMessageScript script({{kAnswerCancel, L""}});
        Edit(kImageKey, bad.keyId);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"钥匙不合法！");
    }
    EXPECT_FALSE(WizardShown());
    EXPECT_EQ(wizard_->GetKeyType(), 0);
    EXPECT_EQ(Text(L"EditUI11"), L"");
    EXPECT_EQ(FileBytes(program_ / "KeyData.u"), files);
}

}  // namespace
}  // namespace ui_test
