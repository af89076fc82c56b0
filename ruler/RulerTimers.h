#pragma once

#include <windows.h>

// Every timer of the ruler window, each with one owner; the ruler routes WM_TIMER by id
// to whoever started it.
enum RulerTimer : UINT_PTR {
    TimerCopy = 1,        // the delay before "Copy"
    TimerMouseMode = 2,   // the ruler's own: watches the button that holds a mouse mode
    TimerSavePicture = 3, // the delay before "Save Picture..."
    TimerEdgePick = 4,    // ends a "Lines at Edges" pick nobody finishes
    TimerHandOverSave = 5, // the delay before a /save, and its wait for a dialog to close
    TimerHandOverCopy = 6, // a handed-over /copy's wait for a dialog to close
    TimerMeasureGrab = 7,  // the Measure mode's wait for the ruler's windows to step aside
};
