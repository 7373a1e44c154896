#pragma once
// Start-up measurement shared by the two programs that are compared: the
// time from the process's start to the first paint of its main window, and
// the peak resident memory at that moment. The probe prints one line
// "startup_ms=<ms> peak_rss_kb=<kB>" and quits the program half a second
// later.

#include <QObject>

class QWidget;

namespace tomira::bench {

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool done_ = false;
};

}  // namespace tomira::bench
