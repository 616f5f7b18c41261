#pragma once
// The key wizard on the skin "AddKey.xml": a child window of the main window in which a custom
// key is defined in six steps (key type, key shape, spaces, flat, depths, save key). The pages
// gather what the user types; the rules that need no window live in wizard/.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/key_records.h"
#include "platform/dui/geometry.h"
#include "platform/dui/notify.h"
#include "ui/key_wizard_link.h"
#include "ui/xml_wnd.h"

namespace dui {
class CButtonUI;
class CCheckBoxUI;
class CComboUI;
class CContainerUI;
class CControlUI;
class CEditUI;
class CListUI;
class COptionUI;
class CTabLayoutUI;
}  // namespace dui

struct LoadedKey;
struct StepResult;
struct WizardInputs;
namespace wizard {
struct OffsetCell;
}

// What the wizard uses of the main window.
class AddKeyOwner {
  public:
    virtual int ShowMessage(const std::wstring& text, int type) = 0;
    // The name typed in the last key-name box; an unfinished save leaves it suffixed.
    virtual std::wstring GetKeyName() const = 0;
    virtual void SetKeyName(const std::wstring& name) = 0;
    virtual void ShowKey(int keyId) = 0;
    // The key tree: a saved key's new item under its maker, an edited key's item renamed.
    virtual void AddKeyItem(const std::wstring& name, int makerId, int keyId, int image) = 0;
    virtual void UpdateKeyItem(int image, int keyId, const std::wstring& name, int newImage) = 0;

  protected:
    ~AddKeyOwner() = default;
};

// The wizard's controls by their order in the skin's name tables.
inline constexpr int kWizardSteps = 6;
inline constexpr int kWizardKeyTypes = 8;
inline constexpr int kParamRows = 6;
inline constexpr int kStepHeads = 5;
inline constexpr int kCombos = 7;
inline constexpr int kCellLists = 6;
inline constexpr int kEdits = 15;
inline constexpr int kAutoEdits = 4;

class CAddKey : public CXMLWnd, public dui::IListCallbackUI, public IKeyWizard {
  public:
    explicit CAddKey(const std::wstring& xmlPath);
    ~CAddKey() override;

    void SetFrameWnd(AddKeyOwner* frame) { m_pFrame = frame; }

    // IKeyWizard.
    bool CloseWizard() override;
    void SetTarget(const KeyWizardTarget& target) override;
    void LoadKeyForEdit(int image) override;
    void ShowWizard() override;
    void LoadLanguageTexts() override;

    // Window, combos and lists.
    void InitControls();
    void InitComboItems();
    // Refills combo 0..6 with `texts`, or with the numbers 2 .. count + 1 when texts is empty;
    // the pick held before is picked again.
    void FillCombo(int comboIndex, const std::vector<std::wstring>& texts, int count = 0);
    // Picks by code; the lists that follow the combo get its row count even when the pick
    // was already that one.
    void PickCombo(int comboIndex, int pick);
    void AddListRow(int listIndex, const std::wstring& text);
    // Shows `rows` rows; texts beyond them stay kept for when the list grows again.
    void SetListRows(int listIndex, int rows);
    // Empties the list's rows and kept texts.
    void ClearList(int listIndex);
    void CreateListEdit(int listIndex, dui::CControlUI* row);
    void FillListSequence(int64_t start, int64_t step, int listIndex, int comboIndex);
    void SetSpriteBkImage(dui::CControlUI* control, int mode, const std::wstring& fileName, int n,
                          int column = 0);
    std::wstring GetItemText(dui::CControlUI* row, int index, int column) override;
    void Notify(dui::TNotifyUI& msg) override;

    // Key type and step flow.
    void SelectKeyType(int type);
    void LayoutParamRows(int n, int step);
    void ShowKeySides(int mode);
    void UpdateStepImages();
    void RefreshSideCombos();
    bool SwitchStep(int n);
    // 0..5 selects that step's head; 6 and above is the finish.
    void GoToStep(int n);
    void OnClick(const std::wstring& sender);
    bool OnSelectChanged(dui::TNotifyUI& msg);
    void ResetWizard();

    // What the pages hold now, for the checks and the saves.
    WizardInputs GatherInputs() const;
    // The message of the check run when `step` is left forward, "0" when it passes; a passed
    // check writes what the step stores into m_KeyParams. focusEdit: the number of the
    // "EditUI%d" to focus, 0 for none.
    std::wstring CheckStep(int step, int& focusEdit);

    // The finish and the saves. A save answers false when it refused the key or could not
    // write it; it has then shown why, and the wizard keeps what the user typed.
    void FinishKey();
    bool SaveKeyAndClose();
    bool SaveUnfinishedKey();

    // The kept text of string `id` in the current language.
    const std::wstring& KeptText(int id) const;

    int GetCurStep() const { return m_nCurStep; }
    int GetKeyType() const { return m_nKeyType; }
    bool IsEditMode() const { return m_bEditMode != 0; }
    const KeyParams& GetKeyParams() const { return m_KeyParams; }
    const std::vector<std::wstring>& GetListTexts(int listIndex) const {
        return m_listTexts[listIndex];
    }
    dui::CEditUI* GetListEdit() const { return m_pListEdit; }

  protected:
    void InitWindow() override;
    void OnFinalMessage(dui::HWND hwnd) override;

  private:
    // The close question's yes: false when the wizard must stay open.
    bool SaveOnClose();
    // A refused finish or save: its message, and the focus in the edit it names.
    void ShowRefusal(const StepResult& result);
    // The id a save stores: the edited key's, or a new one; none (and said so) when no id
    // can be given.
    std::optional<int> KeyIdToSave();
    void ShowLoadedKey(const LoadedKey& loaded);

    void EnterStep(int n);
    void SetUpClamp();
    void OnComboPick(int comboIndex, int pick);
    void OnKeyEdgePick(int sel);
    void ShowDimpleSideB(bool show);
    // Moves the named floating list's top just below a side picture.
    void PlaceBelow(dui::CControlUI* picture, const wchar_t* listName);
    // The labels of the cut and depth counts, by key type and language.
    void SetSideLabels();
    // The offset option A1, A2, B1 or B2 chosen: its schematics and its input.
    void ChooseOffsetInput(int option);
    void ShowOffsetPictures(const std::vector<wizard::OffsetCell>& cells);
    void AutoFill(int button);
    void CloseListEdit(bool store);
    void SetFocusToEdit(int number);
    void ShowControl(const wchar_t* name, bool show);
    void SetControlText(const wchar_t* name, const std::wstring& text);
    dui::CControlUI* Control(const wchar_t* name) const;
    dui::CEditUI* Edit(int number) const;

    AddKeyOwner* m_pFrame = nullptr;

    dui::CButtonUI* m_pLastBtn = nullptr;
    dui::CButtonUI* m_pNextBtn = nullptr;
    dui::CButtonUI* m_pCancelBtn = nullptr;
    dui::COptionUI* m_pStepOption[kWizardSteps] = {};
    dui::COptionUI* m_pKeyTypeOption[kWizardKeyTypes] = {};
    dui::CControlUI* m_pParamRows[kParamRows] = {};
    dui::CControlUI* m_pStepHeadContainer[kStepHeads] = {};
    dui::CComboUI* m_pCombo[kCombos] = {};
    dui::CListUI* m_pList[kCellLists] = {};
    dui::CEditUI* m_pEdit[kEdits + 1] = {};  // by the number in the name; 0 unused
    dui::CEditUI* m_pAutoEdit[kAutoEdits] = {};
    dui::CCheckBoxUI* m_pStep4Option = nullptr;
    dui::CControlUI* m_pStep2Control = nullptr;
    dui::CControlUI* m_pStep3Control = nullptr;
    dui::CControlUI* m_pStep4Control = nullptr;
    dui::CControlUI* m_pStep4Control2 = nullptr;
    dui::CControlUI* m_pStep5Control = nullptr;
    dui::CControlUI* m_pClampPicture = nullptr;
    dui::CContainerUI* m_pStep4VerticalLayout = nullptr;
    dui::CControlUI* m_pStepKeyType[3] = {};
    dui::COptionUI* m_pStep4showImage = nullptr;
    dui::COptionUI* m_pStep4showSet = nullptr;
    dui::CControlUI* m_pOffsetPicture[4] = {};  // "step4xiaoA1", A2, B1, B2
    dui::COptionUI* m_pVicePosition[4] = {};
    dui::COptionUI* m_pOffsetOption[4] = {};  // "OptionA1", A2, B1, B2
    dui::CTabLayoutUI* m_pSwitch = nullptr;
    dui::CEditUI* m_pListEdit = nullptr;

    std::map<int, std::wstring> m_strKept;
    int m_nCurStep = 0;
    int m_nKeyType = 0;
    dui::Size m_ptParamRows[kParamRows] = {};
    std::vector<std::wstring> m_listTexts[kCellLists];
    int m_nEditRow = -1;
    int m_nEditList = 0;
    bool m_bReinitDepths = false;
    bool m_bReinitSpaces = false;
    KeyParams m_KeyParams{};
    // Set by the key tree before the wizard is shown.
    int m_nMakerId = 0;       // the maker a new key goes under, or the edited key's maker
    int m_nMakerOrKeyId = 0;  // a new key: the maker id; editing: the key id
    int m_nKeyImage = 0;      // editing: 2 a finished key, 3 an unfinished one
    std::wstring m_strMakerLabel;
    std::wstring m_strMakerName;
    KeyDataRecord m_EditRecord{};
    int m_bEditMode = 0;
};
