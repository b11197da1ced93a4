// Linked into a program to time its start: at the first paint of a slider the process prints the
// monotonic clock in nanoseconds, its peak resident memory in kB and its window's size, then ends.
#include "PeakMemory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSlider>

#include <chrono>
#include <cstdio>

#include <unistd.h>

namespace {

class FirstSliderPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* slider = qobject_cast<QSlider*>(watched);
        if (event->type() != QEvent::Paint || slider == nullptr)
            return false;
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld %ld %d %d\n", static_cast<long long>(std::chrono::nanoseconds(now).count()), peakResidentKb(),
            slider->window()->width(), slider->window()->height());
        std::fflush(stdout);
        ::_exit(0);
    }
};

void watchForTheFirstSliderPaint()
{
    QCoreApplication::instance()->installEventFilter(new FirstSliderPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForTheFirstSliderPaint)
