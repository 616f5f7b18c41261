#pragma once
// The panel on the left of the main window: the user's keys under the car makers of
// "carFactory.ini", finished and unfinished, with their counts; in search mode a flat list of
// results instead. Adding and editing hand over to the key wizard, deleting changes the key
// lists, selecting a key shows it through the main window.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/dialog.h"
#include "platform/afx/image_list.h"
#include "platform/afx/list_ctrl.h"
#include "platform/afx/tree_ctrl.h"
#include "ui/car_makers.h"
#include "ui/key_wizard_link.h"

// The item image tells the kind of item.
enum TreeImage { kImageRoot = 0, kImageMaker = 1, kImageKey = 2, kImageUnfinishedKey = 3 };

// What the panel uses of the main window.
class KeyTreeOwner {
  public:
    virtual void EnableAddKeyButton(bool enable) = 0;
    virtual void EnableDeleteButton(bool enable) = 0;
    virtual void ShowKey(int keyId) = 0;
    virtual int ShowMessage(const std::wstring& text, int type) = 0;
    // Escape in the search results: the keyboard goes back to the search box.
    virtual void ReturnToSearchBox() = 0;
    // None while the main window has no wizard.
    virtual IKeyWizard* GetKeyWizard() = 0;

  protected:
    ~KeyTreeOwner() = default;
};

class CLeftTreeView : public afx::Dialog {
  public:
    static constexpr int kTreeId = 1002;
    static constexpr int kListId = 1098;

    CLeftTreeView();
    ~CLeftTreeView() override;

    void SetFrameWnd(KeyTreeOwner* frame) { m_pFrame = frame; }
    void LoadLanguageTexts(int languageIndex);
    void LoadCarFactory(const std::wstring& section);
    void RebuildTree();
    std::wstring GetCarFactoryName(int makerId) const;

    // The wizard's saves: a new key's item under its maker, and an edited key's item renamed
    // (and an unfinished key that became finished changes its image, and replaces the item of
    // the finished key it was the pending edit of).
    void AddKeyItem(const std::wstring& name, int makerId, int keyId, int image);
    void UpdateKeyItem(int image, int keyId, const std::wstring& name, int newImage);
    afx::TreeItem FindKeyItem(int image, int keyId) const;
    afx::TreeItem FindMakerItem(int makerId) const;

    // None: the selected item.
    void AddNewKey(afx::TreeItem item = nullptr);
    void DeleteKey(afx::TreeItem item = nullptr);
    void FillSearchList(const std::wstring& text);

    afx::TreeCtrl& GetTreeCtrl() { return m_Tree; }
    afx::ListCtrl& GetSearchList() { return m_List; }
    int GetTotalKeys() const { return m_nTotal; }
    const std::vector<CarFactoryEntry>& GetCarFactory() const { return m_CarFactory; }

  protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnCommand(int commandId) override;
    void OnNotify(const afx::NotifyInfo& info) override;

  private:
    struct MakerNode {
        afx::TreeItem item;
        int id;
        std::wstring displayName;
        int count;
    };
    struct SearchResult {
        int image;
        int id;
    };

    void OnTvnSelchangedTree();
    void OnNMRClickTree(afx::Point point);
    void OnEditKey();
    // A result clicked, or the selected one taken by Enter.
    void ChooseSearchResult(int row);
    void SelectTreeItem(afx::TreeItem item);
    void SetRootLabel();
    // The item goes from the tree and the counts; the key lists are the caller's.
    void RemoveKeyItem(afx::TreeItem item);
    void SetMakerCount(MakerNode& maker, int count);
    MakerNode* MakerOf(afx::TreeItem item);
    bool WizardLetsGo();
    void AddSearchResult(const std::wstring& name, int image, int id);

    std::wstring m_strDeletePrefix;
    std::wstring m_strRootLabel;
    std::wstring m_strMenuAdd;
    std::wstring m_strMenuDelete;
    std::wstring m_strMenuEdit;
    afx::TreeCtrl m_Tree;
    afx::TreeItem m_hRightClicked = nullptr;
    std::unique_ptr<afx::ImageList> m_ImageList;
    KeyTreeOwner* m_pFrame = nullptr;
    int m_nTotal = 0;
    std::vector<CarFactoryEntry> m_CarFactory;
    std::vector<MakerNode> m_Makers;
    afx::ListCtrl m_List;
    std::vector<SearchResult> m_SearchResults;
};
