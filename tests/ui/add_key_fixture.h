#pragma once
// The key wizard on its real skin, inside a host window as the main window holds it, with a
// stand-in owner that answers its message boxes and records what it is asked.

#include <string>
#include <vector>

#include "platform/dui/combo.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "ui/add_key.h"
#include "ui_fixture.h"

namespace ui_test {

// Records the wizard's message boxes and answers each with `answer`; the tree and the pane
// are not there.
class FakeWizardOwner : public AddKeyOwner {
  public:
    int ShowMessage(const std::wstring& text, int type) override {
        messages.push_back(text);
        types.push_back(type);
        return answer;
    }
    std::wstring GetKeyName() const override { return L""; }
    void SetKeyName(const std::wstring&) override {}
    void ShowKey(int) override {}
    void AddKeyItem(const std::wstring&, int, int, int) override {}
    void UpdateKeyItem(int, int, const std::wstring&, int) override {}

    std::vector<std::wstring> messages;
    std::vector<int> types;
    int answer = 1;
};

class AddKeyTest : public UiTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    dui::CControlUI* Control(const std::wstring& name) const;
    template <typename T>
    T* Find(const std::wstring& name) const {
        return wizard_->GetPaintManager().Find<T>(name);
    }
    std::wstring Text(const std::wstring& name) const;
    bool Shown(const std::wstring& name) const;
    bool Enabled(const std::wstring& name) const;
    // Clicks the named control.
    void Press(const std::wstring& name);
    void Type(const std::wstring& edit, const std::wstring& text);
    // Picks in a combo as the user does, through its drop-down.
    void Pick(const std::wstring& combo, int index);
    // Double-clicks a row of list 0..5, types into the cell editor and presses Enter.
    void EditCell(int list, int row, const std::string& keys);
    // Walks the wizard from the key-type page to the last step with entries that pass, and
    // types the key's name; a side below 0 takes the side the spaces page offers.
    void DefineKey(int type, int side = 0, const std::wstring& name = L"", int locating = 0);

    QWidget* host_ = nullptr;
    CAddKey* wizard_ = nullptr;
    FakeWizardOwner owner_;
};

}  // namespace ui_test
