#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <thread>

#include "platform/afx/controls.h"
#include "platform/afx/qt_app.h"
#include "platform/afx/test_dialog.h"
#include "platform/afx/tree_ctrl.h"
#include "platform/afx/ui_thread.h"
#include "support/show_recorder.h"

namespace {

using afx_test::TestDialog;

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override { afx_test::App(); }
};

TEST_F(DialogTest, LaysTheTemplateOutInPixels) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_FALSE(dialog.Create(nullptr));
    QWidget* window = dialog.GetSafeWidget();
    EXPECT_EQ(window->size(), QSize(450, 325));
    EXPECT_EQ(dialog.GetDlgItem(afx_test::kProgress)->geometry(), QRect(0, 179, 300, 13));
    EXPECT_EQ(dialog.GetDlgItem(afx_test::kStart)->geometry(), QRect(300, 195, 90, 33));
    ASSERT_NE(dialog.GetDlgItem(afx::kIdStatic), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);

    afx::Static status;
    dialog.BindControl(afx_test::kStatus, status);
    EXPECT_EQ(status.GetWindowText(), L"ready");
    EXPECT_TRUE(status.IsWindowVisible());
    dialog.DestroyWindow();
    // A handle outlives its window: calls do nothing and answer defaults.
    EXPECT_FALSE(status.IsAttached());
    status.SetWindowText(L"gone");
    EXPECT_EQ(status.GetWindowText(), L"");
}

TEST_F(DialogTest, AChildDialogSitsInItsParentAndShowsWhenItsTemplateSays) {
    QWidget parent;
    parent.resize(600, 600);
    parent.show();
    afx::DialogTemplate hidden = afx_test::TestTemplate(afx::DialogFrame::Child);
    hidden.visible = false;
    afx::Dialog panel(hidden);
    ASSERT_TRUE(panel.Create(&parent));
    EXPECT_EQ(panel.GetSafeWidget()->parentWidget(), &parent);
    EXPECT_FALSE(panel.IsWindowVisible());
    panel.MoveWindow(afx::Rect{5, 154, 255, 661});
    panel.ShowWindow(true);
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_EQ(panel.GetWindowRect(), (afx::Rect{5, 154, 255, 661}));
    // Escape is no dialog key for a child: the panel stays.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(panel.GetSafeWidget(), &escape);
    EXPECT_TRUE(panel.IsWindowVisible());
}

TEST_F(DialogTest, BoundControlsWorkAsTheirWindowsCounterparts) {
    TestDialog dialog;
    dialog.Create(nullptr);
    afx::ComboBox versions;
    afx::ProgressCtrl progress;
    afx::Edit notes;
    dialog.BindControl(afx_test::kCombo, versions);
    dialog.BindControl(afx_test::kProgress, progress);
    dialog.BindControl(afx_test::kNotes, notes);

    EXPECT_EQ(versions.GetCurSel(), afx::kComboError);
    EXPECT_EQ(versions.AddString(L"1.0.4"), 0);
    EXPECT_EQ(versions.AddString(L"1.0.5"), 1);
    EXPECT_EQ(versions.GetCurSel(), afx::kComboError);  // adding picks nothing
    EXPECT_EQ(versions.SetCurSel(1), 1);
    EXPECT_EQ(versions.GetLBText(versions.GetCurSel()), L"1.0.5");
    EXPECT_EQ(versions.SetCurSel(7), afx::kComboError);
    EXPECT_EQ(versions.GetCurSel(), afx::kComboError);
    versions.ResetContent();
    EXPECT_EQ(versions.GetCount(), 0);
    EXPECT_TRUE(dialog.notifications.empty());  // picks by code notify nothing

    EXPECT_EQ(progress.GetPos(), 0);
    EXPECT_EQ(progress.SetPos(40), 0);
    EXPECT_EQ(progress.SetPos(140), 40);
    EXPECT_EQ(progress.GetPos(), 100);

    notes.SetWindowText(L"line 1\nline 2");
    EXPECT_EQ(notes.GetWindowText(), L"line 1\nline 2");
    notes.EnableWindow(false);
    EXPECT_FALSE(notes.IsWindowEnabled());
    notes.ShowWindow(false);
    EXPECT_FALSE(notes.IsWindowVisible());
}

TEST_F(DialogTest, ClicksAndSelectionsReachTheDialogAtOnce) {
    TestDialog dialog;
    dialog.Create(nullptr);
    dynamic_cast<QAbstractButton*>(dialog.GetDlgItem(afx_test::kPlain))->click();
    ASSERT_EQ(dialog.commands, std::vector<int>{afx_test::kPlain});

    afx::TreeCtrl tree;
    dialog.BindControl(afx_test::kTree, tree);
    afx::TreeItem root = tree.InsertItem(L"root", 0, 0);
    EXPECT_TRUE(dialog.notifications.empty());  // inserting selects nothing
    tree.SelectItem(root);
    ASSERT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(dialog.notifications[0].controlId, afx_test::kTree);
    EXPECT_EQ(dialog.notifications[0].code, afx::Notification::SelChanged);
    tree.SelectItem(root);  // no change, no notification
    EXPECT_EQ(dialog.notifications.size(), 1u);
}

TEST_F(DialogTest, MouseMovesArePreviewedWithTheControlUnderThem) {
    TestDialog dialog;
    dialog.Create(nullptr);
    QWidget* start = dialog.GetDlgItem(afx_test::kStart);
    QMouseEvent overStart(QEvent::MouseMove, QPointF(5, 5), start->mapToGlobal(QPointF(5, 5)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(start, &overStart);
    QWidget* window = dialog.GetSafeWidget();
    QMouseEvent overDialog(QEvent::MouseMove, QPointF(440, 300),
                           window->mapToGlobal(QPointF(440, 300)), Qt::NoButton, Qt::NoButton,
                           Qt::NoModifier);
    QApplication::sendEvent(window, &overDialog);
    EXPECT_EQ(dialog.mouseMoves, (std::vector<int>{afx_test::kStart, 0}));
}

TEST_F(DialogTest, ACaptionPointDragsTheWindow) {
    TestDialog dialog;
    dialog.hitTest = afx::HitTest::Caption;
    dialog.Create(nullptr);
    QWidget* window = dialog.GetSafeWidget();
    window->move(100, 100);
    QPoint start = window->pos() + QPoint(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
    QMouseEvent drag(QEvent::MouseMove, QPointF(40, 30), QPointF(start + QPoint(30, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drag);
    EXPECT_EQ(window->pos(), QPoint(130, 120));
}

TEST_F(DialogTest, ModalRunAnswersTheEndCodeAndMakesItsWindowAnewEachTime) {
    TestDialog dialog;
    dialog.onInit = [&] { dialog.EndDialog(5); };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_FALSE(dialog.IsAttached());
    dialog.onInit = [&] {
        QTimer::singleShot(0, [&] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog.GetSafeWidget(), &escape);
        });
    };
    test::ShowRecorder recorder;
    EXPECT_EQ(dialog.DoModal(), afx::kIdCancel);
    EXPECT_EQ(recorder.shows, std::vector{Qt::ApplicationModal});
    dialog.onInit = [&] { QTimer::singleShot(0, [&] { dialog.GetSafeWidget()->close(); }); };
    EXPECT_EQ(dialog.DoModal(), afx::kIdCancel);
    EXPECT_EQ(dialog.commands, (std::vector<int>{afx::kIdCancel, afx::kIdCancel}));
}

// The synchronisation and update workers drive a modal dialog's controls and show message
// boxes from their own threads: each call runs on the UI thread, which keeps its modal loop.
TEST_F(DialogTest, AWorkerDrivesAModalDialogAndShowsABoxWithoutDeadlock) {
    TestDialog dialog;
    afx::ProgressCtrl progress;
    afx::Static status;
    int boxAnswer = -1;
    std::vector<int> seen;
    afx::WorkerHandle worker;
    dialog.onInit = [&] {
        dialog.BindControl(afx_test::kProgress, progress);
        dialog.BindControl(afx_test::kStatus, status);
        worker = afx::BeginThread([&] {
            for (int p = 0; p <= 100; p += 10) {
                progress.SetPos(p);
                seen.push_back(progress.GetPos());
            }
            status.SetWindowText(L"Send success");
            TestDialog box;
            box.onInit = [&] { QTimer::singleShot(0, [&] { box.EndDialog(1); }); };
            boxAnswer = box.DoModal();
            dialog.EndDialog(afx::kIdOk);
            return 0u;
        });
    };
    EXPECT_EQ(dialog.DoModal(), afx::kIdOk);
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(boxAnswer, 1);
    EXPECT_EQ(seen, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

// Escape closes the update tool even while a worker runs: the worker's later calls find no
// window, do nothing and answer defaults, and the worker ends normally.
TEST_F(DialogTest, AWorkerOutlivesTheDialogItDrives) {
    TestDialog dialog;
    afx::ProgressCtrl progress;
    std::atomic<bool> closed{false};
    afx::WorkerHandle worker;
    dialog.onInit = [&] {
        dialog.BindControl(afx_test::kProgress, progress);
        worker = afx::BeginThread([&] {
            progress.SetPos(30);
            afx::SendToUiThread([&] {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(dialog.GetSafeWidget(), &escape);
            });
            while (!closed) {
                std::this_thread::yield();
            }
            progress.SetPos(60);
            return static_cast<unsigned>(progress.GetPos());
        });
    };
    EXPECT_EQ(dialog.DoModal(), afx::kIdCancel);
    closed = true;
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(worker->ExitCode(), 0u);
}

}  // namespace
