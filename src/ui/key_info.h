#pragma once
// The key information pane on the skin "DepthChoose.xml": the selected key drawn to scale, its
// name, type and blank dimensions, the clamp picture, and the keypad on which the bitting is
// entered cut by cut, every press drawing the key again.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "draw/key_drawer.h"
#include "model/key_records.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/gdi/image_canvas.h"
#include "ui/key_info_rules.h"
#include "ui/xml_wnd.h"

class CDuiKeyInfo : public CXMLWnd {
  public:
    static constexpr int IDC_KEY_CANVAS = 10001;

    explicit CDuiKeyInfo(const std::wstring& xmlPath);
    ~CDuiKeyInfo() override;

    // Shows the key of g_KeyData with that id and starts an empty bitting. An id that g_KeyData
    // does not hold (an unfinished key, a key gone) blanks the pane.
    void ShowKey(int32_t keyId);
    // Appends depth number n while the key has cuts left for it, and draws.
    void AddDepth(int32_t n);
    void UpdateInfoLabels();
    // The pane's fixed texts in the current language.
    void LoadLanguageTexts();

    void Notify(dui::TNotifyUI& msg) override;

    const std::vector<int32_t>& Bitting() const { return m_vecBitting; }
    // The window the key is drawn in.
    dui::HWND GetCanvasWindow() const { return m_hCanvas; }

  protected:
    void InitWindow() override;
    void OnFinalMessage(dui::HWND hwnd) override;

  private:
    void DrawShownKey();
    void ClearKeypad();
    void BlankPane();

    dui::HWND m_hCanvas = nullptr;
    std::unique_ptr<platform::ImageCanvas> m_pCanvasImage;
    std::unique_ptr<CKeyDrawer> m_pDrawer;
    dui::CButtonUI* m_pDigitButtons[key_info::kDigitButtons] = {};
    dui::CButtonUI* m_pResetButton = nullptr;
    dui::CLabelUI* m_pInfoLabels[6] = {};
    dui::CEditUI* m_pClampPicture = nullptr;
    std::vector<int32_t> m_vecBitting;
    KeyParams m_shownKey{};
};
