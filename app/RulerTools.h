#pragma once

// The ruler's features, one member each, and the order in which the ruler asks them.
// A new feature is a folder of its own and one member here.

#include "app/CommandLine.h"
#include "app/CommandTool.h"
#include "copy/CopyTool.h"
#include "copy/MeasurementsTool.h"
#include "linelist/LineListTool.h"
#include "measure/EdgeTool.h"
#include "measure/LoupeTool.h"
#include "measure/MeasureTool.h"
#include "measure/UnitsTool.h"
#include "settings/SettingsTool.h"
#include "shell/ContextMenu.h"
#include "shell/GlobalKeysTool.h"
#include "shell/TrayIcon.h"
#include "shell/WindowCommands.h"

class CRulerTools {
public:
    // `start`: the command this process runs the ruler for.
    CRulerTools(RulerHost& host, const CommandLine& start)
        : m_menu(host), m_window(host), m_tray(host), m_keys(host), m_commands(host, start), m_settings(host),
          m_lineList(host), m_units(host), m_measurements(host), m_loupe(host), m_edges(host), m_copy(host), m_measure(host)
    {
    }
    CRulerTools(const CRulerTools&) = delete;
    CRulerTools& operator=(const CRulerTools&) = delete;

    // The loupe comes before the copy: while it shows, Ctrl+C copies its colour. Copy
    // Measurements comes before both: Ctrl+Shift+C is its own, whether the loupe shows or not.
    RulerTools Chain()
    {
        return {&m_menu,     &m_window,   &m_tray,  &m_keys,         &m_commands, &m_settings,
                &m_lineList, &m_units,    &m_measurements, &m_loupe, &m_edges,   &m_copy, &m_measure};
    }

    // The process's exit code once the ruler has ended.
    int ExitCode() const { return m_commands.ExitCode(); }

private:
    CContextMenu m_menu;
    CWindowCommands m_window;
    CTrayIcon m_tray;
    CGlobalKeysTool m_keys;
    CCommandTool m_commands;
    CSettingsTool m_settings;
    CLineListTool m_lineList;
    CUnitsTool m_units;
    CMeasurementsTool m_measurements;
    CLoupeTool m_loupe;
    CEdgeTool m_edges;
    CCopyTool m_copy;
    CMeasureTool m_measure;
};
