#pragma once
// Settings of the process made before the QApplication exists.

namespace tomira {

// Settings the windowing system reads as the QApplication starts, and
// the heap's handling of window-sized blocks; call once before it exists.
void PrepareApplication();

}  // namespace tomira
