#include "res/dialogs.h"

#include <array>

namespace res {
namespace {

using afx::ControlKind;
using afx::Dlu;

// The tree and the search-result list share the panel; the list shows only while searching.
// The panel shows once its owner has placed it.
afx::DialogTemplate KeyTreeDialog() {
    return {kKeyTreeDialog,
            afx::DialogFrame::Child,
            L"",
            afx::Font{},
            167,
            312,
            {
                {1002, ControlKind::TreeView, L"", Dlu(0, 0, 167, 312),
                 afx::kHasLines | afx::kShowSelectionAlways},
                {1098, ControlKind::ListView, L"", Dlu(0, 0, 167, 312),
                 afx::kReportView | afx::kNoColumnHeader | afx::kSingleSelection |
                     afx::kShowSelectionAlways | afx::kHidden},
            },
            false};
}

// Not translated: the prompt is Chinese in every language.
afx::DialogTemplate SerialNumberDialog() {
    return {
        kSerialNumberDialog,
        afx::DialogFrame::ModalCaption,
        L"序列号",
        afx::Font{},
        194,
        105,
        {
            {afx::kIdStatic, ControlKind::Static, L"请输入序列号：", Dlu(15, 42, 60, 8), 0},
            {1038, ControlKind::Edit, L"", Dlu(79, 40, 101, 14), afx::kAutoHScroll | afx::kBorder},
            {afx::kIdOk, ControlKind::PushButton, L"确定", Dlu(131, 84, 50, 14),
             afx::kDefaultButton},
        }};
}

// The template's own texts are the Chinese ones; the tool puts its language's texts on them.
// Both update tools share the layout.
afx::DialogTemplate UpdateDialog(int id) {
    return {
        id,
        afx::DialogFrame::Popup,
        L"",
        afx::Font{},
        502,
        323,
        {
            {1091, ControlKind::GroupBox, L"升级步骤", Dlu(10, 57, 253, 121), 0},
            {1102, ControlKind::Static, L"！升级过程中请勿关闭电脑电源或拔出USB连接线！",
             Dlu(22, 71, 201, 21), 0},
            {1103, ControlKind::Static, L"如果升级失败，请关闭防病毒软件然后重新尝试。",
             Dlu(24, 92, 239, 19), 0},
            {afx::kIdStatic, ControlKind::Static,
             L"第一步：将镌齿台和电脑用USB线连接。\n第二步：打开镌齿台电源，进入镌齿台主界面。\n"
             L"第三步：点击下面的“开始升级”按钮进行升级。\n"
             L"第四步：镌齿台将会进入BIOS模式，屏幕上会出现“Listenning”的提示。\n"
             L"第五步：等待升级完成，镌齿台会自动进入主界面，升级完成。",
             Dlu(23, 113, 225, 63), 0},
            {1092, ControlKind::GroupBox, L"最新版本信息", Dlu(289, 59, 204, 124), 0},
            {1008, ControlKind::Edit, L"", Dlu(294, 75, 196, 97),
             afx::kMultiLine | afx::kReadOnly | afx::kVScroll | afx::kBorder},
            {1093, ControlKind::GroupBox, L"选择版本", Dlu(290, 195, 203, 47), 0},
            {1081, ControlKind::ComboBox, L"", Dlu(308, 211, 129, 12), afx::kVScroll},
            {1009, ControlKind::OwnerDrawButton, L"", Dlu(453, 211, 23, 20), 0},
            {1047, ControlKind::OwnerDrawButton, L"开始在线升级", Dlu(291, 250, 172, 31), 0},
            {1059, ControlKind::OwnerDrawButton, L"", Dlu(473, 249, 16, 31), 0},
            {1088, ControlKind::Static, L"", Dlu(301, 288, 105, 13), 0},
            {1089, ControlKind::Static, L"", Dlu(436, 289, 50, 13), 0},
            {1083, ControlKind::Static, L"", Dlu(10, 290, 284, 9),
             afx::kNoWordWrap | afx::kEndEllipsis},
            {1056, ControlKind::ProgressBar, L"", Dlu(9, 307, 483, 8), 0},
            {1010, ControlKind::OwnerDrawButton, L"", Dlu(482, 0, 19, 18), 0},
        }};
}

afx::MenuTemplate KeyTreeMenu() {
    return {kKeyTreeMenu,
            {{0, L"Key", {{32776, L"Add Key", {}}, {32778, L"Edit", {}}, {32774, L"Delete", {}}}}}};
}

afx::MenuTemplate UpdateToolsMenu() {
    return {
        kUpdateToolsMenu,
        {{0,
          L"Tools",
          {
              {32787, L"读取设备信息", {}},
              {32785, L"修复数据（如果出现图片丢失等异常情况，请尝试此项）", {}},
              {32788, L"进入BIOS模式", {}},
              {32789,
               L"清除所有数据（清除后需要重新进行初始化操作：切割校准，X1初始化，X2初始化）",
               {}},
              {0, L"使用夹具选择", {{32796, L"旧版Kz2+Kz3夹具", {}}, {32798, L"新版Kz2夹具", {}}}},
              {32802, L"离线升级", {}},
              {32803, L"生成文件", {}},
              {32807, L"仅更新程序", {}},
          }}}};
}

}  // namespace

const afx::DialogTemplate& DialogResource(int id) {
    static const std::array<afx::DialogTemplate, 4> dialogs{KeyTreeDialog(), SerialNumberDialog(),
                                                            UpdateDialog(kUpdateDialog),
                                                            UpdateDialog(kVorlantrexUpdateDialog)};
    static const afx::DialogTemplate none;
    for (const auto& dialog : dialogs) {
        if (dialog.id == id) {
            return dialog;
        }
    }
    return none;
}

const afx::MenuTemplate& MenuResource(int id) {
    static const std::array<afx::MenuTemplate, 2> menus{KeyTreeMenu(), UpdateToolsMenu()};
    static const afx::MenuTemplate none;
    for (const auto& menu : menus) {
        if (menu.id == id) {
            return menu;
        }
    }
    return none;
}

}  // namespace res
