#pragma once
// The serial-number prompt before an offline update file is made: one edit box and OK. Cancel
// or the close box leave the number empty; the prompt checks nothing itself.

#include <string>

#include "platform/afx/controls.h"
#include "platform/afx/dialog.h"

class CInputSN : public afx::Dialog {
  public:
    CInputSN();
    ~CInputSN() override;

    std::wstring m_strSN;

  protected:
    void DoDataExchange() override;
    void OnOK() override;

  private:
    afx::Edit m_Edit;
};
