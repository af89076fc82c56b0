#pragma once

// One live-resize step of the real Mensuro.exe (a size change sent from another process,
// as a drag does) against the same step of the comparison windows of ShapedWindowBench,
// all taking turns within every round; then the check of those windows' shapes. Returns
// false when a window did not come up.
bool BenchLiveResize();
