#pragma once
// Controls that show a text: label, text, button, option and check box.

#include <string>

#include "platform/dui/control.h"

namespace dui {

class CLabelUI : public CControlUI {
  public:
    CLabelUI();
    std::wstring GetClass() const override { return L"LabelUI"; }
    unsigned GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(unsigned style);
    void SetTextColor(unsigned argb);
    void SetDisabledTextColor(unsigned argb);
    // The skin's font index; -1 for its default font.
    int GetFont() const { return m_font; }
    void SetFont(int index);
    const Rect& GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(const Rect& padding);
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void DoPaint(QPainter& painter) override;

  protected:
    // The state images of buttons and edits, drawn between background and text.
    virtual void PaintStatusImage(QPainter&) {}
    void PaintText(QPainter& painter, unsigned color);
    virtual unsigned CurrentTextColor() const;

    unsigned m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    unsigned m_textColor = 0xFF000000;
    unsigned m_disabledTextColor = 0xFFA7A6AA;
    int m_font = -1;
    Rect m_rcTextPadding;
};

class CTextUI : public CLabelUI {
  public:
    CTextUI();
    std::wstring GetClass() const override { return L"TextUI"; }
};

class CButtonUI : public CLabelUI {
  public:
    CButtonUI();
    std::wstring GetClass() const override { return L"ButtonUI"; }
    void SetNormalImage(const std::wstring& description);
    void SetHotImage(const std::wstring& description);
    void SetPushedImage(const std::wstring& description);
    void SetDisabledImage(const std::wstring& description);
    const std::wstring& GetNormalImage() const { return m_sNormalImage; }
    const std::wstring& GetHotImage() const { return m_sHotImage; }
    const std::wstring& GetPushedImage() const { return m_sPushedImage; }
    const std::wstring& GetDisabledImage() const { return m_sDisabledImage; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool OnMouse(MouseEvent event, Point local) override;
    // What a click does: notifies "click". Options then select themselves.
    virtual bool Activate();
    // Enter presses it when nothing else takes the key ("default" in the skin).
    bool IsDefault() const { return m_bDefault; }

  protected:
    void PaintStatusImage(QPainter& painter) override;
    unsigned CurrentTextColor() const override;
    // Under the mouse, or given the focus by the keyboard.
    bool IsHot() const;
    bool IsPushed() const { return m_bPushed; }

  private:
    std::wstring m_sNormalImage;
    std::wstring m_sHotImage;
    std::wstring m_sPushedImage;
    std::wstring m_sDisabledImage;
    unsigned m_hotTextColor = 0;
    unsigned m_pushedTextColor = 0;
    bool m_bHot = false;
    bool m_bPushed = false;
    bool m_bDefault = false;
};

// Options of one group are exclusive. A grouped option notifies "selectchanged" only when it
// becomes selected; an option without a group (a check box) notifies every change. Selecting
// by code notifies too, enabled or not; nothing is sent when nothing changes.
class COptionUI : public CButtonUI {
  public:
    ~COptionUI() override;
    std::wstring GetClass() const override { return L"OptionUI"; }
    bool IsSelected() const { return m_bSelected; }
    void Selected(bool selected);
    const std::wstring& GetGroup() const { return m_sGroupName; }
    void SetGroup(const std::wstring& group);
    void SetSelectedImage(const std::wstring& description);
    void SetSelectedHotImage(const std::wstring& description);
    const std::wstring& GetSelectedImage() const { return m_sSelectedImage; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;
    bool Activate() override;

  protected:
    void PaintStatusImage(QPainter& painter) override;
    unsigned CurrentTextColor() const override;

  private:
    std::wstring m_sGroupName;
    std::wstring m_sSelectedImage;
    std::wstring m_sSelectedHotImage;
    unsigned m_selectedTextColor = 0;
    bool m_bSelected = false;
};

class CCheckBoxUI : public COptionUI {
  public:
    std::wstring GetClass() const override { return L"CheckBoxUI"; }
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check) { Selected(check); }
};

}  // namespace dui
