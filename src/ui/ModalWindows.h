#pragma once
// Showing a window modally.

class QDialog;

namespace tomira {

// Shows a dialog modally and returns when it has closed.
void ShowModal(QDialog& dialog);

}  // namespace tomira
