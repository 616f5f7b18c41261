#pragma once
// A dialog with one control of every kind, recording what reaches its handlers.

#include <functional>
#include <vector>

#include "platform/afx/dialog.h"

namespace afx_test {

enum ControlIds {
    kTree = 1002,
    kList = 1098,
    kCombo = 1081,
    kProgress = 1056,
    kNotes = 1008,
    kStatus = 1083,
    kStart = 1047,
    kPlain = 1200,
};

afx::DialogTemplate TestTemplate(afx::DialogFrame frame);

class TestDialog : public afx::Dialog {
  public:
    explicit TestDialog(afx::DialogFrame frame = afx::DialogFrame::Popup)
        : Dialog(TestTemplate(frame)) {}

    std::vector<int> commands;
    std::vector<afx::NotifyInfo> notifications;
    std::vector<int> mouseMoves;
    std::function<void()> onInit;
    afx::HitTest hitTest = afx::HitTest::Client;

  protected:
    bool OnInitDialog() override {
        if (onInit) {
            onInit();
        }
        return true;
    }
    void OnCommand(int id) override {
        commands.push_back(id);
        Dialog::OnCommand(id);
    }
    void OnNotify(const afx::NotifyInfo& info) override { notifications.push_back(info); }
    void PreTranslateMouseMove(int id) override { mouseMoves.push_back(id); }
    afx::HitTest OnNcHitTest(afx::Point) override { return hitTest; }
};

}  // namespace afx_test
