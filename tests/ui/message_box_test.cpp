// The message box run for real: each case clicks or types while the box's modal loop runs and
// checks the answer, the key name and what the box showed; from the keyboard alone too.

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "platform/afx/qt_app.h"
#include "platform/afx/ui_thread.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "res/strings.h"
#include "support/show_recorder.h"
#include "ui/frame_wnd.h"
#include "ui/message_script.h"
#include "ui_fixture.h"

namespace {

using afx_test::PressKey;
using ui_test::Later;

class MessageBoxTest : public ui_test::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        res::SetUiLanguage(res::kLangEnglish);
        frame_ = new CDuiFrameWnd(L"Header.xml");
        ASSERT_NE(frame_->Create(nullptr, L"Vellomardstine", dui::WS_POPUP, 0), nullptr);
    }

    dui::CControlUI* BoxControl(const std::wstring& name) {
        return frame_->m_pShowMessage->GetPaintManager().FindControl(name);
    }
    // Shows the box and, once it runs, does `act` on it.
    int Show(const std::wstring& text, int type, std::function<void()> act) {
        Later(std::move(act));
        return frame_->ShowMessage(text, type);
    }
    int ShowAndClick(int type, const std::wstring& button) {
        return Show(L"text", type, [this, button] { ui_test::Click(BoxControl(button)); });
    }
    // Types ASCII as a user would; other text is put in directly (QTest types ASCII only).
    void TypeName(const QString& name) {
        auto* edit = dynamic_cast<dui::CEditUI*>(BoxControl(L"KeyNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->SetText(L"");
        bool ascii =
            std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii) {
            QTest::keyClicks(edit->GetWidget()->findChild<QLineEdit*>(), name);
        } else {
            edit->SetText(name.toStdWString());
        }
    }

    QWidget* Box() { return frame_->m_pShowMessage->GetHWND(); }
    // As Show, for keys that should answer the box: one that they leave open closes with 99
    // after a while instead of waiting for good.
    int ShowForKeys(int type, std::function<void()> keys) {
        return Show(L"?", type, [this, keys = std::move(keys)] {
            CShowMessage* box = frame_->m_pShowMessage;
            QTimer::singleShot(std::chrono::seconds(2), Box(), [box] { box->Close(99); });
            keys();
        });
    }

    CDuiFrameWnd* frame_ = nullptr;
};

TEST_F(MessageBoxTest, AnswersByTypeAndButton) {
    struct Case {
        int type;
        const wchar_t* button;
        int answer;
    };
    const Case cases[] = {
        {0, L"CancelButton", 0}, {0, L"CloseBtn", 0},     {1, L"NoButton", 1},
        {1, L"CancelButton", 0}, {1, L"CloseBtn", 0},     {3, L"OkButton", 1},
        {3, L"NoButton", 2},     {3, L"CancelButton", 0}, {3, L"CloseBtn", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShowAndClick(c.type, c.button), c.answer) << c.type << " " << c.button;
    }
}

TEST_F(MessageBoxTest, LaysTheBoxOutByType) {
    // Each button's text, "-" where it is hidden, and the icon.
    const std::pair<int, std::wstring> layouts[] = {{0, L"- - Ok warn.png"},
                                                    {1, L"- Ok Cancel help.png"},
                                                    {2, L"- Ok Cancel warn.png"},
                                                    {3, L"Yes No Cancel help.png"}};
    for (const auto& [type, layout] : layouts) {
        std::wstring shown;
        Show(L"Connect to machine failed", type, [&, type = type] {
            for (const wchar_t* name : {L"OkButton", L"NoButton", L"CancelButton"}) {
                dui::CControlUI* button = BoxControl(name);
                shown += (button->IsVisible() ? button->GetText() : L"-") + L" ";
            }
            shown += BoxControl(L"ImageControl")->GetBkImage();
            EXPECT_EQ(BoxControl(L"messageLabel")->GetText(), L"Connect to machine failed");
            EXPECT_EQ(BoxControl(L"HorizontalLayoutUI31")->IsVisible(), type != 2);
            EXPECT_EQ(BoxControl(L"HorizontalLayoutUI32")->IsVisible(), type == 2);
            ui_test::SaveScreenshot(frame_->m_pShowMessage->GetHWND(),
                                    "message_box_" + std::to_string(type) + ".png");
            ui_test::Click(BoxControl(L"CancelButton"));
        });
        EXPECT_EQ(shown, layout) << type;
    }
}

TEST_F(MessageBoxTest, KeyNameEntryTakesOnlyAPlainName) {
    int answer = Show(L"", kMessageKeyName, [this] {
        auto* edit = dynamic_cast<dui::CEditUI*>(BoxControl(L"KeyNameEdit"));
        // The entry has the focus from the start.
        EXPECT_TRUE(edit->IsFocused() || BoxControl(L"keyName")->IsFocused());
        EXPECT_EQ(frame_->m_pShowMessage->GetHWND()->focusWidget(),
                  edit->GetWidget()->findChild<QLineEdit*>());
        for (const QString& refused : {QString(), QStringLiteral("caf\u00e9"),
                                       QStringLiteral("KEY\u4e2d"), QStringLiteral("\u94a5")}) {
            TypeName(refused);
            ui_test::Click(BoxControl(L"NoButton"));
            // Still open, the entry focused with all its text selected.
            EXPECT_TRUE(frame_->m_pShowMessage->GetHWND()->isVisible());
            EXPECT_TRUE(edit->IsFocused());
            EXPECT_EQ(edit->GetSelectedText(), refused.toStdWString());
        }
        TypeName(QStringLiteral("HU66-2_x"));
        ui_test::Click(BoxControl(L"NoButton"));
    });
    EXPECT_EQ(answer, kAnswerOk);
    EXPECT_EQ(frame_->m_strKeyName, L"HU66-2_x");

    answer = Show(L"", kMessageKeyName, [this] {
        TypeName(QStringLiteral("ABC"));
        ui_test::Click(BoxControl(L"CancelButton"));
    });
    EXPECT_EQ(answer, kAnswerCancel);
    EXPECT_EQ(frame_->m_strKeyName, L"");
}

TEST_F(MessageBoxTest, EscapeAndWindowManagerCloseAnswerCancel) {
    int answer = Show(L"?", kMessageYesNoCancel, [this] {
        QTest::keyClick(frame_->m_pShowMessage->GetHWND(), Qt::Key_Escape);
    });
    EXPECT_EQ(answer, kAnswerCancel);
    answer = Show(L"?", kMessageQuestion, [this] { frame_->m_pShowMessage->GetHWND()->close(); });
    EXPECT_EQ(answer, kAnswerCancel);
    // Escape typed into the key-name entry closes the box too.
    answer = Show(L"", kMessageKeyName, [this] {
        TypeName(QStringLiteral("ABC"));
        QTest::keyClick(BoxControl(L"KeyNameEdit")->GetWidget()->findChild<QLineEdit*>(),
                        Qt::Key_Escape);
    });
    EXPECT_EQ(answer, kAnswerCancel);
    EXPECT_EQ(frame_->m_strKeyName, L"");
}

TEST_F(MessageBoxTest, TabGoesRoundTheButtonsOfEachBox) {
    // Where each Tab ('>') or Shift+Tab ('<') takes the focus, from the box as it comes up: the
    // key-name entry has it then, in the other boxes nothing has. The title bar's close button
    // comes last.
    struct Case {
        int type;
        std::string keys;
        std::vector<std::wstring> focus;
    };
    const Case cases[] = {
        {kMessageWarning, ">>><", {L"CancelButton", L"CloseBtn", L"CancelButton", L"CloseBtn"}},
        {kMessageQuestion, ">>><", {L"NoButton", L"CancelButton", L"CloseBtn", L"CancelButton"}},
        {kMessageKeyName,
         ">>>><",
         {L"NoButton", L"CancelButton", L"CloseBtn", L"KeyNameEdit", L"CloseBtn"}},
        {kMessageYesNoCancel,
         ">>>>><",
         {L"OkButton", L"NoButton", L"CancelButton", L"CloseBtn", L"OkButton", L"CloseBtn"}},
        {kMessageYesNoCancel, "<<", {L"CloseBtn", L"CancelButton"}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> focus;
        Show(L"?", c.type, [&] {
            focus = afx_test::WalkFocus(Box(), c.keys);
            ui_test::Click(BoxControl(L"CancelButton"));
        });
        EXPECT_EQ(focus, c.focus) << c.type << " " << c.keys;
    }
}

TEST_F(MessageBoxTest, SpaceOrEnterAnswersAsTheFocusedButtonOrElseAsTheDefaultOne) {
    struct Case {
        int type;
        int tabs;
        Qt::Key key;
        int answer;
    };
    const Case cases[] = {
        {kMessageWarning, 1, Qt::Key_Return, kAnswerCancel},      // Ok
        {kMessageQuestion, 3, Qt::Key_Space, kAnswerCancel},      // the close button
        {kMessageQuestion, 1, Qt::Key_Enter, kAnswerOk},          // Ok
        {kMessageYesNoCancel, 1, Qt::Key_Space, kAnswerOk},       // Yes
        {kMessageYesNoCancel, 2, Qt::Key_Return, kAnswerNo},      // No
        {kMessageYesNoCancel, 3, Qt::Key_Space, kAnswerCancel},   // Cancel
        {kMessageYesNoCancel, 4, Qt::Key_Return, kAnswerCancel},  // the close button
        // Enter as the box comes up, no button focused: Ok, or Yes.
        {kMessageWarning, 0, Qt::Key_Return, kAnswerCancel},
        {kMessageQuestion, 0, Qt::Key_Enter, kAnswerOk},
        {kMessageYesNoCancel, 0, Qt::Key_Return, kAnswerOk},
    };
    for (const Case& c : cases) {
        int answer = ShowForKeys(c.type, [&] {
            afx_test::WalkFocus(Box(), std::string(c.tabs, '>'));
            PressKey(Box(), c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        });
        EXPECT_EQ(answer, c.answer) << c.type << " " << c.tabs;
    }
}

TEST_F(MessageBoxTest, EnterInTheKeyNameEntryAnswersOkWithTheName) {
    int answer = ShowForKeys(kMessageKeyName, [this] {
        afx_test::TypeKeys(Box(), "HU66-2");
        PressKey(Box(), Qt::Key_Return);
    });
    EXPECT_EQ(answer, kAnswerOk);
    EXPECT_EQ(frame_->m_strKeyName, L"HU66-2");
}

TEST_F(MessageBoxTest, KeyNameEntryTakesThirteenCharactersWhichFitWithTheirSuffix) {
    int answer = ShowForKeys(kMessageKeyName, [this] {
        afx_test::TypeKeys(Box(), "ABCDEFGHIJKLMNO");
        EXPECT_EQ(BoxControl(L"KeyNameEdit")->GetText(), L"ABCDEFGHIJKLM");
        PressKey(Box(), Qt::Key_Tab);
        PressKey(Box(), Qt::Key_Return);
    });
    EXPECT_EQ(answer, kAnswerOk);
    EXPECT_EQ(frame_->m_strKeyName, L"ABCDEFGHIJKLM");
}

TEST_F(MessageBoxTest, BoxIsModalOverItsOwner) {
    frame_->ShowWindow(true, true);
    test::ShowRecorder recorder(frame_->GetHWND());
    int answer = Show(L"?", kMessageQuestion, [this] {
        QWidget* box = frame_->m_pShowMessage->GetHWND();
        EXPECT_EQ(QApplication::activeModalWidget(), box);
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        EXPECT_EQ(box->parentWidget(), frame_->GetHWND());
        ui_test::Click(BoxControl(L"NoButton"));
    });
    EXPECT_EQ(answer, kAnswerOk);
    EXPECT_EQ(recorder.shows, std::vector{Qt::WindowModal});
}

TEST_F(MessageBoxTest, WorkerShowsTheBoxOnTheUiThreadAndWaits) {
    int answer = -1;
    bool shownOnUiThread = false;
    // The UI thread answers the box once it is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (frame_->m_pShowMessage != nullptr && frame_->m_pShowMessage->GetHWND() != nullptr &&
            frame_->m_pShowMessage->GetHWND()->isVisible()) {
            poll.stop();
            shownOnUiThread =
                frame_->m_pShowMessage->GetHWND()->thread() == QThread::currentThread();
            ui_test::Click(BoxControl(L"NoButton"));
        }
    });
    poll.start(1);
    auto worker = afx::BeginThread([&] {
        answer = frame_->ShowMessage(L"Send success", kMessageYesNoCancel);
        return 0u;
    });
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(answer, kAnswerNo);
    EXPECT_TRUE(shownOnUiThread);
}

TEST_F(MessageBoxTest, ScriptAnswersWithoutShowingABox) {
    ScopedMessageScript script({{kAnswerOk, L"K1"}, {kAnswerNo, L""}});
    EXPECT_EQ(frame_->ShowMessage(L"name?", kMessageKeyName), kAnswerOk);
    EXPECT_EQ(frame_->m_strKeyName, L"K1");
    EXPECT_EQ(frame_->ShowMessage(L"sure?", kMessageYesNoCancel), kAnswerNo);
    EXPECT_EQ(frame_->ShowMessage(L"past the end", kMessageWarning), kAnswerCancel);
    ASSERT_EQ(script.Shown().size(), 3u);
    EXPECT_EQ(script.Shown()[1].text, L"sure?");
    EXPECT_EQ(script.Shown()[1].type, kMessageYesNoCancel);
    EXPECT_EQ(frame_->m_pShowMessage, nullptr);
}

}  // namespace
