#include "app/MensuroApp.h"

#include "app/RulerTools.h"
#include "ruler/MensuroDlg.h"

namespace {
CMensuroApp theApp;
}

bool CMensuroApp::InitInstance()
{
    SetRegistryKey("Veltrin's Applications");
    CMensuroDlg dlg(nullptr);
    // The features go before the ruler: they see it only while it runs.
    CRulerTools tools(dlg);
    dlg.SetTools(tools.Chain());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return CApplication::Current()->Run();
}
