#pragma once
// The second update tool, for the machine's other model: the main window holds one from start
// to end and never opens it. What it does is make sure the work folder exists from start-up on.

#include <string>

#include "platform/afx/dialog.h"

class CVorlantrexUpdateDlg : public afx::Dialog {
  public:
    CVorlantrexUpdateDlg();
    ~CVorlantrexUpdateDlg() override;

    const std::wstring& GetWorkFolder() const { return m_strWorkDir; }

  private:
    std::wstring m_strWorkDir;
};
