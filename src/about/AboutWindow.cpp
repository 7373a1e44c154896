// Placeholder until the About box is built.
#include "about/AboutWindow.h"

namespace tomira {

void ShowAboutWindow(QWidget*, MessageService&) {}

}  // namespace tomira
