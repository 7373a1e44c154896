#include "ui/ProcessSettings.h"

#include <QByteArray>
#include <QtGlobal>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tomira {

void PrepareApplication()
{
    // On X11 every new window would get a fresh shared-memory segment for
    // its pixels, and setting one up costs more than the few small
    // repaints these windows ever send: without it a window opens in half
    // the time. Whoever sets the variable decides for themselves.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
#ifdef __GLIBC__
    // So each window's pixels, a block of about a mebibyte, come from the
    // heap allocator. glibc would raise its threshold for mapping blocks of
    // their own past that size as soon as the first window closes, and
    // from then on take them from the heap, which cannot give a free block
    // back to the system while anything small lies above it: the program
    // would stay a window's size larger after closing the window. A fixed
    // threshold keeps such blocks mapped, returned when the window goes.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

}  // namespace tomira
