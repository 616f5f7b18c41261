#include "ui/input_sn.h"

#include "res/dialogs.h"

namespace {

constexpr int kSerialEditId = 1038;

}  // namespace

CInputSN::CInputSN() : afx::Dialog(res::DialogResource(res::kSerialNumberDialog)) {}

CInputSN::~CInputSN() = default;

void CInputSN::DoDataExchange() {
    BindControl(kSerialEditId, m_Edit);
}

void CInputSN::OnOK() {
    m_strSN = m_Edit.GetWindowText();
    afx::Dialog::OnOK();
}
