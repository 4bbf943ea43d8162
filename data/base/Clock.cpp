#include "data/base/Clock.h"

namespace qor {

QDate SystemClock::today() const { return QDate::currentDate(); }

QTime SystemClock::timeOfDay() const
{
    // Whole milliseconds as the clock gives them; callers format what they need.
    return QTime::currentTime();
}

} // namespace qor
