#include "ui/vorlantrex_update_dlg.h"

#include "res/dialogs.h"
#include "update/work_folder.h"

CVorlantrexUpdateDlg::CVorlantrexUpdateDlg()
    : afx::Dialog(res::DialogResource(res::kVorlantrexUpdateDialog)),
      m_strWorkDir(GetTempWorkDir()) {}

CVorlantrexUpdateDlg::~CVorlantrexUpdateDlg() = default;
