#pragma once
// A one-line edit over a Qt line edit. The user's typing notifies "textchanged", Enter
// "return" and then presses the window's default button if it has one, Escape "escape" (and
// then goes on to the window, a box's Cancel); focus moves notify "setfocus" and "killfocus".
// SetText does not notify.

#include <string>

#include "platform/dui/label.h"

namespace dui {

class EditField;

class CEditUI : public CLabelUI {
  public:
    CEditUI();
    ~CEditUI() override;
    std::wstring GetClass() const override { return L"EditUI"; }
    void SetMaxChar(int count);
    int GetMaxChar() const { return m_maxChar; }
    void SetNumberOnly(bool numberOnly);
    bool IsNumberOnly() const { return m_bNumberOnly; }
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;
    // Selects characters start..end (end -1: to the end).
    void SetSel(int start, int end);
    void SetSelAll() { SetSel(0, -1); }
    std::wstring GetSelectedText() const;
    void SetNormalImage(const std::wstring& description);
    void SetHotImage(const std::wstring& description);
    void SetFocusedImage(const std::wstring& description);
    void SetDisabledImage(const std::wstring& description);
    const std::wstring& GetNormalImage() const { return m_sNormalImage; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetPos(const Rect& rc) override;

  protected:
    std::wstring DoGetText() const override;
    void DoSetText(const std::wstring& text) override;
    void DoSetEnabled(bool enabled) override;
    void PaintStatusImage(QPainter& painter) override;
    void DoPaint(QPainter& painter) override;
    QWidget* FocusWidget() const override;

  private:
    friend class EditField;
    void OnUserEdit();
    void OnReturn();
    void OnEscape();

    EditField* m_field;
    std::wstring m_sNormalImage;
    std::wstring m_sHotImage;
    std::wstring m_sFocusedImage;
    std::wstring m_sDisabledImage;
    int m_maxChar = 255;
    bool m_bNumberOnly = false;
};

}  // namespace dui
