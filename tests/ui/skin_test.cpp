// The program's skins hold every control the windows find by name, with the class the windows
// use it as; unknown classes go to the main window's builder.

#include <map>
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

Expected HeaderControls() {
    Expected e;
    for (const wchar_t* button :
         {L"SearchBtn", L"AddkeyBtn", L"DeleteBtn", L"InputButton", L"OutputButton", L"CloudServer",
          L"SynchServer", L"UpdateMachine", L"Setting", L"CloseBtn", L"hideBtn"}) {
        e[button] = L"ButtonUI";
    }
    e[L"SearchEdit"] = L"EditUI";
    Add(e, L"Language", 0, 9, L"OptionUI");
    e[L"TextUI1"] = L"TextUI";
    e[L"VersionLabel"] = L"LabelUI";
    e[L"TextUIBottom1"] = L"LabelUI";
    e[L"HorizontalLayoutUI1"] = L"HorizontalLayoutUI";
    e[L"NativeHost"] = L"WndUI";
    return e;
}

Expected MessageControls() {
    return {{L"OkButton", L"ButtonUI"},
            {L"CancelButton", L"ButtonUI"},
            {L"NoButton", L"ButtonUI"},
            {L"CloseBtn", L"ButtonUI"},
            {L"ImageControl", L"ControlUI"},
            {L"messageLabel", L"TextUI"},
            {L"KeyNameEdit", L"EditUI"},
            {L"keyName", L"ContainerUI"},
            {L"HorizontalLayoutUI31", L"HorizontalLayoutUI"},
            {L"HorizontalLayoutUI32", L"HorizontalLayoutUI"}};
}

Expected PaneControls() {
    Expected e;
    for (wchar_t c : std::wstring(L"123456789ABCDEF")) {
        e[std::wstring(L"buttonNum") + c] = L"ButtonUI";
    }
    e[L"buttonReset"] = L"ButtonUI";
    for (const wchar_t* label :
         {L"l_keyName", L"l_keyType", L"l_keyLength", L"l_keyWidth", L"l_keyThick", L"l_keySlot",
          L"labelTitle", L"labelEnterCode", L"labelKeyName", L"labelKeyType", L"labelKeyLength",
          L"labelKeyThick", L"labelKeyWidth", L"labelKeySlot", L"labelAlienment"}) {
        e[label] = L"LabelUI";
    }
    e[L"labelKeyInfo"] = L"TextUI";
    e[L"EditUI1"] = L"EditUI";
    return e;
}

Expected WizardControls() {
    Expected e;
    for (const wchar_t* button : {L"LastBtn", L"NextBtn", L"CancelBtn"}) {
        e[button] = L"ButtonUI";
    }
    Add(e, L"step", 1, 6, L"OptionUI");
    Add(e, L"keyType", 1, 8, L"OptionUI");
    Add(e, L"EditUI", 1, 15, L"EditUI");
    Add(e, L"autoEdit", 1, 4, L"EditUI");
    Add(e, L"autoButton", 1, 4, L"ButtonUI");
    for (const wchar_t* row : {L"LocatingContainer", L"LenghtContainer", L"WidthContainer",
                               L"BladeContainer", L"KeyZDepthContainer", L"SlotWidthContainer"}) {
        e[row] = L"HorizontalLayoutUI";
    }
    Add(e, L"stepHeadContainer", 0, 4, L"ContainerUI");
    for (const wchar_t* combo :
         {L"LocatingPartyComb", L"keyEdgeCombo", L"step3ACombo", L"step3BCombo", L"keyDepthCombo",
          L"circleCombo", L"grooveCombo"}) {
        e[combo] = L"ComboUI";
    }
    for (const wchar_t* list : {L"Step3ListA", L"Step3ListB", L"Step4ListC", L"Step4ListD",
                                L"Step5ListE", L"Step5ListF"}) {
        e[list] = L"ListUI";
    }
    e[L"Step4Option"] = L"CheckBoxUI";
    e[L"Step4showImage"] = L"CheckBoxUI";
    e[L"Step4showSet"] = L"CheckBoxUI";
    e[L"switch"] = L"TabLayoutUI";
    e[L"step4VerticalLayout"] = L"VerticalLayoutUI";
    for (const wchar_t* option :
         {L"VicePositionA", L"VicePositionB", L"VicePositionC", L"VicePositionD", L"OptionA1",
          L"OptionA2", L"OptionB1", L"OptionB2"}) {
        e[option] = L"OptionUI";
    }
    for (const wchar_t* name : {L"Step4Control",
                                L"Step4Control2",
                                L"Step5Control",
                                L"Step2Control",
                                L"Step3Control",
                                L"ControlUI13",
                                L"stepKeyType1",
                                L"stepKeyType2",
                                L"stepKeyType3",
                                L"step4xiaoA1",
                                L"step4xiaoA2",
                                L"step4xiaoB1",
                                L"step4xiaoB2",
                                L"Step3keyAContainer",
                                L"Step3keyAContainer1",
                                L"Step3keyAContainer2",
                                L"Step3keyAControl",
                                L"Step4keyAControl",
                                L"Step4keyAContainer1",
                                L"Step5keyAControl",
                                L"Step3keyBContainer",
                                L"Step3keyBContainer1",
                                L"Step3keyBContainer2",
                                L"Step3keyBControl",
                                L"Step4keyBControl",
                                L"Step4keyBContainer1",
                                L"Step5keyBControl",
                                L"Step5ContainerlistB",
                                L"Step5keyBContainer2",
                                L"showKeyTypeImage",
                                L"labelcao"}) {
        e[name] = L"";  // any class
    }
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
