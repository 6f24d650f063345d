#include "shell/DateProvider.h"

#include "platform/base/Time.h"

namespace ostrel {

double DateProvider::currentTimeIntervalFromReferenceDate() const
{
    return base::Time::now();
}

}
