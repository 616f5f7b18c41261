#include "ui/show_message.h"

#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "res/strings.h"
#include "wizard/has_non_ascii.h"

CShowMessage::CShowMessage(const std::wstring& xmlPath) : CXMLWnd(xmlPath) {}

CShowMessage::~CShowMessage() = default;

void CShowMessage::OnFinalMessage(dui::HWND) {
    delete this;
}

void CShowMessage::InitWindow() {
    InitControls();
}

void CShowMessage::InitControls() {
    m_pOkButton = m_PaintManager.Find<dui::CButtonUI>(L"OkButton");
    m_pCancelButton = m_PaintManager.Find<dui::CButtonUI>(L"CancelButton");
    m_pNoButton = m_PaintManager.Find<dui::CButtonUI>(L"NoButton");
    m_pImage = m_PaintManager.FindControl(L"ImageControl");
    m_pMessage = m_PaintManager.Find<dui::CLabelUI>(L"messageLabel");
    m_pKeyNameEdit = m_PaintManager.Find<dui::CEditUI>(L"KeyNameEdit");
}

void CShowMessage::LoadButtonTexts() {
    m_strYes = res::LoadString(209);
    m_strNo = res::LoadString(210);
    m_strOk = res::LoadString(211);
    m_strCancel = res::LoadString(212);
}

void CShowMessage::SetMessage(int type, const std::wstring& text) {
    m_nType = type;
    if (m_pMessage != nullptr) {
        m_pMessage->SetText(text);
    }
    dui::CControlUI* messageRow = m_PaintManager.FindControl(L"HorizontalLayoutUI31");
    dui::CControlUI* keyNameRow = m_PaintManager.FindControl(L"HorizontalLayoutUI32");
    if (m_pOkButton == nullptr || m_pNoButton == nullptr || m_pCancelButton == nullptr ||
        messageRow == nullptr || keyNameRow == nullptr || m_pImage == nullptr) {
        return;
    }
    switch (type) {
        case kMessageWarning:
            m_pImage->SetBkImage(L"warn.png");
            messageRow->SetVisible(true);
            keyNameRow->SetVisible(false);
            m_pOkButton->SetVisible(false);
            m_pNoButton->SetVisible(false);
            m_pCancelButton->SetText(m_strOk);
            break;
        case kMessageQuestion:
            m_pImage->SetBkImage(L"help.png");
            messageRow->SetVisible(true);
            keyNameRow->SetVisible(false);
            m_pOkButton->SetVisible(false);
            m_pNoButton->SetText(m_strOk);
            m_pCancelButton->SetText(m_strCancel);
            break;
        case kMessageKeyName:
            messageRow->SetVisible(false);
            keyNameRow->SetVisible(true);
            if (dui::CControlUI* focus = m_PaintManager.FindControl(L"keyName")) {
                focus->SetFocus();
            }
            m_pOkButton->SetVisible(false);
            m_pNoButton->SetText(m_strOk);
            m_pCancelButton->SetText(m_strCancel);
            break;
        case kMessageYesNoCancel:
            m_pImage->SetBkImage(L"help.png");
            messageRow->SetVisible(true);
            keyNameRow->SetVisible(false);
            m_pOkButton->SetText(m_strYes);
            m_pNoButton->SetText(m_strNo);
            m_pCancelButton->SetText(m_strCancel);
            break;
        default:
            break;
    }
}

void CShowMessage::Notify(dui::TNotifyUI& msg) {
    if (msg.sType == dui::kNotifyClick && msg.pSender != nullptr) {
        OnClick(msg.pSender->GetName());
    }
    CXMLWnd::Notify(msg);
}

void CShowMessage::OnClick(const std::wstring& sender) {
    if (sender == L"OkButton") {
        Close(kAnswerOk);
    } else if (sender == L"CloseBtn" || sender == L"CancelButton") {
        Close(kAnswerCancel);
    } else if (sender == L"NoButton") {
        dui::CControlUI* keyNameRow = m_PaintManager.FindControl(L"HorizontalLayoutUI32");
        if (keyNameRow != nullptr && keyNameRow->IsVisible() && m_pKeyNameEdit != nullptr) {
            std::wstring name = m_pKeyNameEdit->GetText();
            if (name.empty() || HasNonAscii(name)) {
                m_pKeyNameEdit->SetFocus();
                m_pKeyNameEdit->SetSelAll();
                return;
            }
            if (m_pKeyName != nullptr) {
                *m_pKeyName = name;
            }
        }
        Close(m_nType == kMessageYesNoCancel ? kAnswerNo : kAnswerOk);
    }
}
