#pragma once
// The key tree panel on its own: a program folder with key files, a current folder with a
// maker list, and a main window stand-in that records what the panel asks of it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/key_lists.h"
#include "support/temp_folder.h"
#include "ui/left_tree_view.h"

namespace ui_test {

KeyDataRecord MakeKey(int16_t id, const std::string& name, uint32_t makerId,
                      int32_t status = KeyStatusLive);

// Writes "carFactory.ini" with the text as it stands.
void WriteCarFactory(const test::TempFolder& folder, const std::string& text);

// A right click on the item as the window system gives it: the button, then the menu request.
void RightClickItem(afx::TreeCtrl& tree, afx::TreeItem item);

class FakeWizard : public IKeyWizard {
  public:
    bool CloseWizard() override {
        ++closeAsked;
        return letGo;
    }
    void SetTarget(const KeyWizardTarget& t) override { target = t; }
    void LoadKeyForEdit(int image) override { loadedImages.push_back(image); }
    void ShowWizard() override { ++shown; }
    void LoadLanguageTexts() override {}

    bool letGo = true;
    int closeAsked = 0;
    KeyWizardTarget target;
    std::vector<int> loadedImages;
    int shown = 0;
};

class FakeOwner : public KeyTreeOwner {
  public:
    void EnableAddKeyButton(bool enable) override { addEnabled = enable; }
    void EnableDeleteButton(bool enable) override { deleteEnabled = enable; }
    void ShowKey(int keyId) override { shownKeys.push_back(keyId); }
    int ShowMessage(const std::wstring& text, int type) override {
        messages.push_back(text);
        types.push_back(type);
        return answer;
    }
    void ReturnToSearchBox() override {}
    IKeyWizard* GetKeyWizard() override { return &wizard; }

    bool addEnabled = false;
    bool deleteEnabled = false;
    std::vector<int> shownKeys;
    std::vector<std::wstring> messages;
    std::vector<int> types;
    int answer = 1;
    FakeWizard wizard;
};

class KeyTreeTest : public ::testing::Test {
  protected:
    KeyTreeTest();
    ~KeyTreeTest() override;

    // Saves the key lists, then creates the panel (which loads them) in English.
    void Open(const KeyDataList& finished, const KeyDataList& unfinished, int language = 1);

    // The labels of the tree in tree order, each indented by its depth.
    std::vector<std::wstring> Labels();
    afx::TreeItem ItemLabelled(const std::wstring& label);
    void RightClick(afx::TreeItem item);
    std::vector<std::wstring> SearchRows();

    test::TempFolder program_;
    test::TempFolder current_;
    test::ScopedProgramFolder programScope_{program_};
    test::ScopedCurrentFolder currentScope_{current_};
    FakeOwner owner;
    CLeftTreeView panel;
};

}  // namespace ui_test
