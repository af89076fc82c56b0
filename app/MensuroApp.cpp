#include "app/MensuroApp.h"

#include "app/RulerInstance.h"
#include "app/RulerTools.h"
#include "app/StartUp.h"
#include "ruler/MensuroDlg.h"

namespace {
CMensuroApp theApp;
}

bool CMensuroApp::InitInstance()
{
    SetRegistryKey("Veltrin's Applications");
    CMensuroDlg dlg(nullptr);
    // The features go before the ruler: they see it only while it runs.
    CRulerTools tools(dlg, m_start);
    dlg.SetTools(tools.Chain());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    m_exitCode = tools.ExitCode();
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const CommandLine command = ParseCommandLine(GetCommandLineW());
    CRulerInstance instance;
    if (const auto exitCode = ExitBeforeRuler(command, instance)) return *exitCode;
    theApp.SetStartCommand(command);
    return theApp.Run();
}
