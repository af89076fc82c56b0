#include "app/MensuroApp.h"

#include "ruler/MensuroDlg.h"

namespace {
CMensuroApp theApp;
}

bool CMensuroApp::InitInstance()
{
    SetRegistryKey("Veltrin's Applications");
    CMensuroDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return CApplication::Current()->Run();
}
