// The update tool's frame: texts, fonts, bitmaps, colours, hover, dragging, the tools menu and
// closing.

#include "ui/machine_alto_update.h"

#include "platform/afx/menu.h"
#include "platform/fs/fs.h"
#include "res/dialogs.h"
#include "res/update_bitmaps.h"
#include "res/update_texts.h"

namespace {

constexpr int kStepsGroupId = 1091;
constexpr int kWarningId = 1102;
constexpr int kAntiVirusId = 1103;
constexpr int kNotesGroupId = 1092;
constexpr int kNotesId = 1008;
constexpr int kVersionGroupId = 1093;
constexpr int kVersionListId = 1081;
constexpr int kRefreshId = 1009;
constexpr int kStartId = 1047;
constexpr int kMenuId = 1059;
constexpr int kSerialId = 1088;
constexpr int kSoftwareVersionId = 1089;
constexpr int kStatusId = 1083;
constexpr int kProgressId = 1056;
constexpr int kCloseId = 1010;

constexpr afx::ColorRef kTextColour = 0x525252;
constexpr afx::Rect kClosePlace{721, 0, 721 + 32, 24};
// The top band of the borderless window moves it.
constexpr int kDragBandRight = 760;
constexpr int kDragBandBottom = 62;

std::wstring BitmapPath(int bitmapId) {
    return platform::ProgramFolder() + L"skin/" + res::BitmapFileName(bitmapId);
}

}  // namespace

CMachineAltoUpdate::CMachineAltoUpdate(MessageBoxCall messageBox)
    : afx::Dialog(res::DialogResource(res::kUpdateDialog)), m_MessageBox(std::move(messageBox)) {
    m_strWorkDir = GetTempWorkDir(&m_WorkDirRefusal);
}

// A worker still running reports to this object: it goes only once the worker has finished,
// which a stoppable one does at its next wait.
CMachineAltoUpdate::~CMachineAltoUpdate() {
    if (m_bWorkerRunning) {
        m_WorkerStop.request_stop();
        afx::PumpUntilFinished(m_Worker);
    }
}

void CMachineAltoUpdate::SetLanguage(int languageIndex) {
    m_nLanguage = languageIndex;
    // A language that lacks a text keeps what an earlier language left there.
    for (int number = 1; number <= res::kUpdateTextCount; ++number) {
        if (std::optional<std::wstring> text = res::FindUpdateText(languageIndex, number)) {
            m_Texts[number - 1] = std::move(*text);
        }
    }
}

const std::wstring& CMachineAltoUpdate::Text(int number) const {
    static const std::wstring none;
    if (number < 1 || number > res::kUpdateTextCount) {
        return none;
    }
    return m_Texts[number - 1];
}

void CMachineAltoUpdate::DoDataExchange() {
    BindControl(kVersionListId, m_VersionList);
    BindControl(kNotesId, m_Notes);
    BindControl(kProgressId, m_Progress);
    BindControl(kStatusId, m_StatusLine);
    BindControl(afx::kIdStatic, m_StepsText);
}

bool CMachineAltoUpdate::OnInitDialog() {
    afx::Dialog::OnInitDialog();
    m_VersionList.SetFont(afx::Font{L"Times New Roman", 120, 700});
    m_VersionList.SetItemHeight(22);
    m_Background.Load(BitmapPath(res::UpdateBackgroundBitmap(m_nLanguage)));
    LoadButtons();
    m_StartButton.SetFont(afx::Font{GetTemplate().font.face, 180, 400});
    m_CloseButton.MoveWindow(kClosePlace);
    SetBackground(m_Background);
    ApplyTexts();
    ApplyColours();
    OnCommand(kRefreshId);
    return true;
}

void CMachineAltoUpdate::LoadButtons() {
    struct Place {
        int id;
        afx::BitmapButton* button;
        res::ButtonBitmaps bitmaps;
    };
    const Place places[] = {{kStartId, &m_StartButton, res::kStartButtonBitmaps},
                            {kCloseId, &m_CloseButton, res::kCloseButtonBitmaps},
                            {kRefreshId, &m_RefreshButton, res::kRefreshButtonBitmaps},
                            {kMenuId, &m_MenuButton, res::kMenuButtonBitmaps}};
    for (const Place& place : places) {
        const res::ButtonBitmaps& b = place.bitmaps;
        place.button->LoadBitmaps(BitmapPath(b.normal), BitmapPath(b.pressed), BitmapPath(b.focus),
                                  BitmapPath(b.disabled));
        BindControl(place.id, *place.button);
        place.button->SizeToContent();
    }
}

void CMachineAltoUpdate::ApplyTexts() {
    const std::pair<int, int> texts[] = {
        {kStepsGroupId, 25}, {kWarningId, 26},      {kAntiVirusId, 28}, {afx::kIdStatic, 29},
        {kNotesGroupId, 27}, {kVersionGroupId, 32}, {kStartId, 40}};
    for (auto [id, number] : texts) {
        afx::Static control;
        BindControl(id, control);
        control.SetWindowText(Text(number));
    }
}

// Texts in grey straight on the background; the group boxes keep their own look.
void CMachineAltoUpdate::ApplyColours() {
    for (int id : {kWarningId, kAntiVirusId, afx::kIdStatic, kNotesId, kSerialId,
                   kSoftwareVersionId, kStatusId}) {
        afx::Static control;
        BindControl(id, control);
        control.SetTextColor(kTextColour);
    }
}

void CMachineAltoUpdate::PreTranslateMouseMove(int controlId) {
    const std::pair<int, afx::BitmapButton*> buttons[] = {{kStartId, &m_StartButton},
                                                          {kCloseId, &m_CloseButton},
                                                          {kMenuId, &m_MenuButton},
                                                          {kRefreshId, &m_RefreshButton}};
    for (auto [id, button] : buttons) {
        if (controlId == id) {
            // The keyboard focus follows the mouse; the buttons draw themselves hot by the mouse
            // alone, since locking the controls hands the focus on to the close button.
            button->SetFocus();
            m_nHoverId = id;
            return;
        }
    }
    if (m_nHoverId != 0) {
        m_StepsText.SetFocus();
        m_nHoverId = 0;
    }
}

afx::HitTest CMachineAltoUpdate::OnNcHitTest(afx::Point client) {
    if (client.x < kDragBandRight && client.y < kDragBandBottom) {
        return afx::HitTest::Caption;
    }
    return afx::HitTest::Client;
}

void CMachineAltoUpdate::ShowToolsMenu() {
    if (!m_bMenuRequested) {
        return;
    }
    afx::Menu menu = afx::Menu::FromTemplate(res::MenuResource(res::kUpdateToolsMenu), 0);
    const std::pair<int, int> entries[] = {{kDeviceInfoCommand, 31},    {kRepairDataCommand, 30},
                                           {kEnterBiosCommand, 33},     {kClearAllDataCommand, 34},
                                           {kClampOldCommand, 36},      {kClampNewCommand, 37},
                                           {kOfflineUpdateCommand, 38}, {kCreateFileCommand, 39}};
    for (auto [command, number] : entries) {
        menu.SetItemText(command, Text(number));
    }
    constexpr int kClampSubmenu = 4;
    menu.SetSubmenuText(kClampSubmenu, Text(35));
    menu.EnableMenuItem(kRepairDataCommand, m_VersionList.GetCount() > 0);
    menu.Track(afx::CursorPos(), this);
    m_bMenuRequested = false;
}

void CMachineAltoUpdate::OnOK() {
    Close();
}

void CMachineAltoUpdate::OnCancel() {
    Close();
}

// Enter, Escape, the close box and the close button all end here. A worker that talks to the
// machine keeps the dialog until it has finished; any other is stopped, and the dialog ends once
// the worker has seen that at its next wait, its calls served meanwhile.
void CMachineAltoUpdate::Close() {
    if (m_bWorkerRunning) {
        if (!m_bWorkerStoppable) {
            return;
        }
        m_WorkerStop.request_stop();
        afx::PumpUntilFinished(m_Worker);
    }
    m_Background = afx::Bitmap();
    EndDialog(afx::kIdOk);
}
