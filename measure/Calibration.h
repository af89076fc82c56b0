#pragma once

// The user's calibration of a monitor: the scale typed into the Calibrate dialog, and
// where it is kept. A calibration is pixels per metre, a whole number, stored per
// monitor in section "Calibration" under the monitor's device name ("\\.\DISPLAY1").

#include <cstdint>
#include <string>

class ProfileStore;

// A stored calibration counts when it lies within kMinPixelsPerMetre ... kMaxPixelsPerMetre;
// 0 stands for none.
bool IsValidCalibration(int64_t pixelsPerMetre);

// The units the dialog offers for the measured length, in the order of its list.
enum class LengthUnit : int32_t {
    Millimetres = 0,
    Centimetres = 1,
    Inches = 2,
};
constexpr int32_t kLengthUnitCount = 3;
// The list's entries: "mm", "cm", "in".
const wchar_t* LengthUnitName(LengthUnit unit);

// Why a typed length gives no calibration.
enum class CalibrationError : int32_t {
    None = 0,
    Empty,
    NotANumber,
    Zero,
    Negative,
    OutOfRange, // the scale it gives lies outside kMinPixelsPerMetre ... kMaxPixelsPerMetre
};

struct Calibration {
    CalibrationError error = CalibrationError::None;
    int32_t pixelsPerMetre = 0; // rounded; set when error is None
};

// The scale that makes `innerWidth` device pixels as long as `text` says in `unit`. The
// text is a decimal number (a point or a comma before the decimals) with blanks around
// it allowed; nothing else.
Calibration CalibrationFromLength(const std::wstring& text, LengthUnit unit, int32_t innerWidth);

// The stored calibration of a monitor, or 0 when there is none or it is not valid.
int32_t ReadCalibration(ProfileStore& store, const std::wstring& monitor);
// Stores a valid calibration; false (and nothing stored) for any other value.
bool WriteCalibration(ProfileStore& store, const std::wstring& monitor, int32_t pixelsPerMetre);
// Forgets it, by storing 0: the registry store cannot remove a single value.
bool ForgetCalibration(ProfileStore& store, const std::wstring& monitor);
