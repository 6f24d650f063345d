#include "command/SystemKeyCombos.h"

namespace ostrel {

std::vector<KeyCombo> systemKeyCombos()
{
    // Linux desktops keep their reserved shortcuts each in a store of their own (or in no
    // store at all), so there is nothing we can read them from: we answer the empty list, as
    // when the list of symbolic hot keys cannot be read. A combination the desktop holds is
    // still caught when its grab is refused.
    return {};
}

}
