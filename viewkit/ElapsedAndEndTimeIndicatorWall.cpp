#include "viewkit/ElapsedAndEndTimeIndicatorWall.h"

namespace ostrel {

ElapsedAndEndTimeIndicatorWall::ElapsedAndEndTimeIndicatorWall(ui::Rect frame)
    : TimeIndicatorWall(frame)
{
}

void ElapsedAndEndTimeIndicatorWall::build()
{
    std::tie(m_elapsedTextField, m_endDateField) = buildLabelsAndValues("Elapsed:", "00", "Ends:", "");
}

}
