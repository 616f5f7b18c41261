// The program's skins hold every control the windows find by name, with the class the windows
// use it as; unknown classes go to the main window's builder.

#include <map>
#include <sstream>
#include <vector>

#include "platform/dui/builder.h"
#include "platform/dui/native.h"
#include "ui/frame_wnd.h"
#include "ui/wnd_ui.h"
#include "ui_fixture.h"

namespace {

using ui_test::UiTest;
using Expected = std::map<std::wstring, std::wstring>;  // name -> class

void Add(Expected& out, const std::wstring& pattern, int first, int last, const std::wstring& cls) {
    for (int i = first; i <= last; ++i) {
        out[pattern + std::to_wstring(i)] = cls;
    }
}

// Names separated by spaces, all of class cls ("" for any class).
void Add(Expected& out, const std::wstring& names, const std::wstring& cls) {
    std::wistringstream words(names);
    for (std::wstring name; words >> name;) {
        out[name] = cls;
    }
}

Expected HeaderControls() {
    Expected e;
    Add(e,
        L"SearchBtn AddkeyBtn DeleteBtn InputButton OutputButton CloudServer SynchServer "
        L"UpdateMachine Setting CloseBtn hideBtn",
        L"ButtonUI");
    Add(e, L"Language", 0, 9, L"OptionUI");
    Add(e, L"VersionLabel TextUIBottom1", L"LabelUI");
    e.insert({{L"SearchEdit", L"EditUI"},
              {L"TextUI1", L"TextUI"},
              {L"HorizontalLayoutUI1", L"HorizontalLayoutUI"},
              {L"NativeHost", L"WndUI"}});
    return e;
}

Expected MessageControls() {
    Expected e;
    Add(e, L"OkButton CancelButton NoButton CloseBtn", L"ButtonUI");
    Add(e, L"HorizontalLayoutUI31 HorizontalLayoutUI32", L"HorizontalLayoutUI");
    e.insert({{L"ImageControl", L"ControlUI"},
              {L"messageLabel", L"TextUI"},
              {L"KeyNameEdit", L"EditUI"},
              {L"keyName", L"ContainerUI"}});
    return e;
}

Expected PaneControls() {
    Expected e;
    for (wchar_t c : std::wstring(L"123456789ABCDEF")) {
        e[std::wstring(L"buttonNum") + c] = L"ButtonUI";
    }
    e[L"buttonReset"] = L"ButtonUI";
    Add(e,
        L"l_keyName l_keyType l_keyLength l_keyWidth l_keyThick l_keySlot labelTitle "
        L"labelEnterCode labelKeyName labelKeyType labelKeyLength labelKeyThick labelKeyWidth "
        L"labelKeySlot labelAlienment",
        L"LabelUI");
    e[L"labelKeyInfo"] = L"TextUI";
    e[L"EditUI1"] = L"EditUI";
    return e;
}

Expected WizardControls() {
    Expected e;
    Add(e, L"LastBtn NextBtn CancelBtn", L"ButtonUI");
    Add(e, L"step", 1, 6, L"OptionUI");
    Add(e, L"keyType", 1, 8, L"OptionUI");
    Add(e, L"EditUI", 1, 15, L"EditUI");
    Add(e, L"autoEdit", 1, 4, L"EditUI");
    Add(e, L"autoButton", 1, 4, L"ButtonUI");
    Add(e,
        L"LocatingContainer LenghtContainer WidthContainer BladeContainer KeyZDepthContainer "
        L"SlotWidthContainer",
        L"HorizontalLayoutUI");
    Add(e, L"stepHeadContainer", 0, 4, L"ContainerUI");
    Add(e,
        L"LocatingPartyComb keyEdgeCombo step3ACombo step3BCombo keyDepthCombo circleCombo "
        L"grooveCombo",
        L"ComboUI");
    Add(e, L"Step3ListA Step3ListB Step4ListC Step4ListD Step5ListE Step5ListF", L"ListUI");
    Add(e, L"Step4Option Step4showImage Step4showSet", L"CheckBoxUI");
    e[L"switch"] = L"TabLayoutUI";
    e[L"step4VerticalLayout"] = L"VerticalLayoutUI";
    Add(e,
        L"VicePositionA VicePositionB VicePositionC VicePositionD OptionA1 OptionA2 OptionB1 "
        L"OptionB2",
        L"OptionUI");
    Add(e,
        L"Step4Control Step4Control2 Step5Control Step2Control Step3Control ControlUI13 "
        L"stepKeyType1 stepKeyType2 stepKeyType3 step4xiaoA1 step4xiaoA2 step4xiaoB1 step4xiaoB2 "
        L"Step3keyAContainer Step3keyAContainer1 Step3keyAContainer2 Step3keyAControl "
        L"Step4keyAControl Step4keyAContainer1 Step5keyAControl Step3keyBContainer "
        L"Step3keyBContainer1 Step3keyBContainer2 Step3keyBControl Step4keyBControl "
        L"Step4keyBContainer1 Step5keyBControl Step5ContainerlistB Step5keyBContainer2 "
        L"showKeyTypeImage labelcao",
        L"");
    for (int i : {2,  3,  4,  5,  7,  9,  11, 13, 15, 22, 23, 24, 25, 26, 27,
                  28, 29, 31, 32, 40, 41, 42, 43, 44, 45, 46, 47, 50, 51, 52}) {
        e[L"LabelUI" + std::to_wstring(i)] = L"LabelUI";
    }
    return e;
}

TEST_F(UiTest, EverySkinHoldsTheNamedControlsWithTheirClasses) {
    const std::vector<std::pair<std::wstring, Expected>> skins = {
        {L"Header.xml", HeaderControls()},
        {L"ShowMessage.xml", MessageControls()},
        {L"DepthChoose.xml", PaneControls()},
        {L"AddKey.xml", WizardControls()},
    };
    for (const auto& [skin, expected] : skins) {
        // The main window's builder, so that "Wnd" elements are built.
        auto* window = new CDuiFrameWnd(skin);
        ASSERT_NE(window->Create(nullptr, L"", dui::WS_POPUP, 0), nullptr) << skin;
        for (const auto& [name, cls] : expected) {
            dui::CControlUI* control = window->GetPaintManager().FindControl(name);
            ASSERT_NE(control, nullptr) << skin << ": " << name;
            if (!cls.empty()) {
                EXPECT_EQ(control->GetClass(), cls) << skin << ": " << name;
            }
        }
        dui::DestroyWindow(window->GetHWND());
    }
}

TEST_F(UiTest, WndInAnyCaseHostsTheNextButtonAndOtherUnknownClassesAreSkipped) {
    auto* frame = new CDuiFrameWnd(L"Header.xml");
    ASSERT_NE(frame->Create(nullptr, L"", dui::WS_POPUP, 0), nullptr);
    for (const wchar_t* name : {L"Wnd", L"wnd", L"WND", L"wNd"}) {
        auto* control = dynamic_cast<CWndUI*>(frame->CreateControl(name));
        ASSERT_NE(control, nullptr) << name;
        dui::HWND hosted = control->GetHostedWindow();
        ASSERT_TRUE(dui::IsWindow(hosted));
        EXPECT_EQ(dui::GetWindowText(hosted), L"Next");
        EXPECT_EQ(dui::GetDlgCtrlID(hosted), 2000);
        EXPECT_EQ(hosted->parentWidget(), frame->GetPaintManager().GetPaintWindow());
        // The hosted window follows its control's place and visibility.
        control->SetPos({10, 20, 110, 50});
        EXPECT_EQ(hosted->geometry(), QRect(10, 20, 100, 30));
        control->SetInternVisible(false);
        EXPECT_TRUE(hosted->isHidden());
        delete control;
        dui::DestroyWindow(hosted);
    }
    EXPECT_EQ(frame->CreateControl(L"Wnds"), nullptr);
    EXPECT_EQ(frame->CreateControl(L"Button"), nullptr);
    dui::DestroyWindow(frame->GetHWND());
}

}  // namespace
