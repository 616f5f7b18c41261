#include "ui/app.h"

#include <cstdio>

#include "platform/afx/plain_message.h"
#include "res/strings.h"
#include "ui/frame_wnd.h"
#include "ui/language.h"

CVellomardstineApp theApp;

namespace {

// Read before any window exists, so in the language saved by an earlier run, else English.
std::wstring MissingSkinText() {
    switch (res::TableLanguage(LanguageIdOf(ReadLanguageIndex()))) {
        case res::kLangChinese:
            return L"无法显示主窗口：皮肤文件 skin/Header.xml 缺失或已损坏。请重新安装本程序。";
        case res::kLangItalian:
            return L"Impossibile mostrare la finestra principale: il file skin/Header.xml manca o "
                   L"è danneggiato. Reinstallare il programma.";
        case res::kLangSwedish:
            return L"Huvudfönstret kan inte visas: filen skin/Header.xml saknas eller är skadad. "
                   L"Installera om programmet.";
        default:
            return L"The main window cannot be shown: the file skin/Header.xml is missing or "
                   L"damaged. Please reinstall the program.";
    }
}

}  // namespace

CVellomardstineApp::CVellomardstineApp() : m_strAppId(L"Vellomardstine.AppID.NoVersion") {}

CVellomardstineApp::~CVellomardstineApp() = default;

bool CVellomardstineApp::InitInstance() {
    // OLE and COM need no set-up here; the registry key only names the program's settings.
    SetRegistryKey(L"Velomardstine");
    auto* frame = new CDuiFrameWnd(L"Header.xml");
    dui::HWND hwnd = frame->Create(nullptr, L"Vellomardstine",
                                   dui::WS_POPUP | dui::WS_VISIBLE | dui::WS_CLIPSIBLINGS |
                                       dui::WS_CLIPCHILDREN | dui::WS_CAPTION | dui::WS_SYSMENU,
                                   dui::WS_EX_WINDOWEDGE);
    if (hwnd == nullptr) {
        delete frame;
        std::fprintf(stderr, "Vellomardstine: cannot build the main window from skin/Header.xml\n");
        // Started from a desktop menu, no one reads stderr.
        afx::PlainErrorBox(L"Vellomardstine", MissingSkinText());
        return false;
    }
    frame->CenterWindow();
    frame->ShowWindow(true, true);
    dui::CPaintManagerUI::MessageLoop();
    // The loop ended through the close button; the window goes with the program.
    dui::DestroyWindow(hwnd);
    return true;
}

int CVellomardstineApp::ExitInstance() {
    return 0;
}

int CVellomardstineApp::Run() {
    bool started = InitInstance();
    int code = ExitInstance();
    return started ? code : 1;
}
