// The program's skins hold every control the windows find by name, with the class the windows
// use it as; unknown classes go to the main window's builder. The wizard's own window tests
// find its controls.

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

// Names separated by spaces, all of class cls.
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
    for (int i = 0; i <= 9; ++i) {
        e[L"Language" + std::to_wstring(i)] = L"OptionUI";
    }
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

TEST_F(UiTest, EverySkinHoldsTheNamedControlsWithTheirClasses) {
    const std::vector<std::pair<std::wstring, Expected>> skins = {
        {L"Header.xml", HeaderControls()},
        {L"ShowMessage.xml", MessageControls()},
        {L"DepthChoose.xml", PaneControls()},
    };
    for (const auto& [skin, expected] : skins) {
        // The main window's builder, so that "Wnd" elements are built.
        auto* window = new CDuiFrameWnd(skin);
        ASSERT_NE(window->Create(nullptr, L"", dui::WS_POPUP, 0), nullptr) << skin;
        for (const auto& [name, cls] : expected) {
            dui::CControlUI* control = window->GetPaintManager().FindControl(name);
            ASSERT_NE(control, nullptr) << skin << ": " << name;
            EXPECT_EQ(control->GetClass(), cls) << skin << ": " << name;
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
