#pragma once

// The command line's side of the ruler: it owns the ruler's announcement to later starts
// (app/RulerInstance.h), the commands they hand over (WM_COPYDATA, app/CommandHandOver.h),
// the command this process was started with, and the exit code the process ends with. It
// brings the ruler's window forward, posts the ruler "Copy" and "Exit" (IDOK, which saves
// the options; with a dialog of the ruler's open, the ruler ends once it is closed), and
// saves the copy's picture to a file; it changes nothing of the model.
//
// A save from the command line never asks for a file, and a ruler started for one never
// reports a failure: it ends, and its exit code tells the script. A ruler the user started
// reports a failed handed-over save as "Save Picture..." does, but only after the second
// start has its answer, so that no script waits on the message box.

#include "app/CommandLine.h"
#include "copy/ScreenPicture.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CCommandTool : public RulerTool {
public:
    // `start`: this process's own command (Run, Show, Copy or Save).
    CCommandTool(RulerHost& host, const CommandLine& start) : m_host(host), m_start(start) {}

    void OnStart() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Once the ruler has ended: kExitNotSaved after a start for /save that could not
    // write its file, else kExitDone.
    int ExitCode() const { return m_exitCode; }

private:
    // A later start's command; the answer to its WM_COPYDATA.
    LRESULT OnHandOver(const CommandLine& command);
    void SaveForStart();
    // The copy's picture, after the copy's delay, as a PNG file at `path`.
    bool SaveAfterDelay(const std::wstring& path);

    RulerHost& m_host;
    const CommandLine m_start;
    CScreenPicture m_picture;
    int m_exitCode = kExitDone;
};
