#include "ui/app.h"

#include <cstdio>

#include "ui/frame_wnd.h"

CVellomardstineApp theApp;

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
