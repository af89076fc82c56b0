# Test sources, relative to tests/. Core tests need no window and run both
# natively (under AddressSanitizer and UBSan) and under Wine.
set(MENSURO_CORE_TEST_SOURCES
    unit/ruler/WindowRectTest.cpp
    unit/ruler/RulerOptionsTest.cpp
    unit/ruler/GeometryTest.cpp
    unit/ruler/GuideLinesTest.cpp
    unit/ruler/TargetFrameTest.cpp
    # scale bars and surfaces (window-free parts)
    unit/ruler/scalebar/ScaleBarStyleTest.cpp
    unit/framework/DibLayoutTest.cpp
    unit/framework/PixelCanvasTest.cpp
    unit/copy/CopyRulesTest.cpp
    unit/copy/MeasureLayoutTest.cpp
    unit/copy/ScreenCoverageTest.cpp
    # template file
    unit/profile/IniProfileTest.cpp
    # Settings dialog rules and colour table
    unit/settings/SettingsRulesTest.cpp
    # line list rules and templates
    unit/linelist/LineListRulesTest.cpp
    unit/linelist/LineTemplateTest.cpp
    # the loupe's readout, placement and magnified image
    unit/measure/LoupeModelTest.cpp
    # edge search, the gaps between lines
    unit/measure/EdgeFinderTest.cpp
    support/EdgeScenes.cpp
    unit/ruler/LineGapsTest.cpp
    unit/ruler/LineLabelLayoutTest.cpp
    # global keys, the ruler moved by keys, the command line
    unit/shell/HotKeyValueTest.cpp
    unit/shell/IconMenuLayoutTest.cpp
    unit/shell/RulerPlacementTest.cpp
    unit/app/CommandLineTest.cpp
    # units, the screen's scale, calibration, ticks in a unit
    unit/measure/UnitsTest.cpp
    unit/measure/ScreenScaleTest.cpp
    unit/measure/MeasurementTableTest.cpp
    unit/ruler/scalebar/UnitTicksTest.cpp
    # the Measure mode's geometry, pins and table
    unit/measure/PointerMeasureTest.cpp
    unit/measure/MeasurePinsTest.cpp
    unit/measure/MeasureTableTest.cpp
    unit/measure/MeasureStripsTest.cpp
    unit/measure/MeasureLabelsTest.cpp
)

# Tests that need Win32 (GDI, the registry, windows); they run under Wine.
set(MENSURO_WIN_TEST_SOURCES
    unit/profile/RegistryProfileTest.cpp
    unit/framework/ModalDialogTest.cpp
    unit/framework/GdiHoldersTest.cpp
    unit/ruler/ComposeImageTest.cpp
    unit/ruler/RulerWindowTest.cpp
    unit/ruler/RulerRoutingTest.cpp
    unit/ruler/LineDragTest.cpp
    unit/measure/EdgeToolTest.cpp
    unit/measure/MeasureToolTest.cpp
    unit/copy/CopyToolTest.cpp
    unit/resources/ResourcesTest.cpp
    # menus, tray icon
    unit/shell/IconMenuTest.cpp
    # scale bars and surfaces (GDI)
    unit/ruler/scalebar/ScaleBarPaintTest.cpp
    unit/framework/DibSurfaceTest.cpp
    unit/copy/ScreenCopyTest.cpp
    unit/copy/ClipboardPictureTest.cpp
    unit/copy/ScreenGrabTest.cpp
    unit/copy/SavePictureTest.cpp
    unit/copy/DimensionBandsTest.cpp
    unit/copy/CopySettingDlgTest.cpp
    # the monitor's scale and the Calibrate dialog
    unit/measure/CalibrateDlgTest.cpp
    unit/measure/UnitsToolTest.cpp
    # template file on Windows
    unit/profile/IniProfileWinTest.cpp
    # Settings dialog and colour picker
    unit/settings/ColorButtonTest.cpp
    unit/settings/SettingsDlgTest.cpp
    # global keys, the Keys dialog, the hand-over to a running ruler
    unit/shell/GlobalKeysTest.cpp
    unit/app/CommandHandOverTest.cpp
    # the global keys and the command line as features of the ruler
    unit/shell/GlobalKeysToolTest.cpp
    unit/app/CommandToolTest.cpp
)

# End-to-end tests: drive the real Mensuro.exe.
set(MENSURO_E2E_TEST_SOURCES
    e2e/LifecycleTest.cpp
    e2e/RulerViewTest.cpp
    e2e/SettingsTest.cpp
    e2e/CopyTest.cpp
    e2e/RulerCommandsTest.cpp
    e2e/JapaneseTest.cpp
    e2e/LineListTest.cpp
    e2e/LoupeTest.cpp
    e2e/DialogEditsTest.cpp
    e2e/MenuCommandsTest.cpp
    e2e/MouseModesTest.cpp
    e2e/EdgeLinesTest.cpp
    e2e/PictureTest.cpp
    e2e/OwnWindowsTest.cpp
    e2e/ScreenEdgesTest.cpp
    e2e/AlwaysAtHandTest.cpp
    e2e/UnitsTest.cpp
    e2e/LineFeedbackTest.cpp
    e2e/ProgramInUseTest.cpp
    e2e/MeasureTest.cpp
)
