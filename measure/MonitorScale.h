#pragma once

// The physical scale of the monitor the ruler is on, from what Windows knows of it and
// the user's calibration. Gathering it enumerates devices, which takes a while: the
// ruler asks when it comes onto another monitor and after "Calibrate...", not per paint.

#include "measure/ScreenScale.h"

#include <windows.h>

#include <string>

class ProfileStore;

// The monitor's device name, "\\.\DISPLAY1": the name its calibration is stored under
// and the Calibrate dialog shows. Empty for a monitor that has gone.
std::wstring MonitorDeviceName(HMONITOR monitor);

// Everything known of the monitor's size: its calibration in `store`, its pixels, the
// EDID's image size and what GetDeviceCaps reports.
ScaleEvidence GatherScaleEvidence(HMONITOR monitor, ProfileStore& store);

// The monitor's scale from the best source (ChooseScreenScale).
ScreenScale MonitorScreenScale(HMONITOR monitor, ProfileStore& store);

// Where the scale comes from and what it is, in the user's language, as the Calibrate
// dialog shows it: "The monitor's EDID: 3780 px/m (96.0 px/in)".
std::wstring DescribeScale(const ScreenScale& scale);
