#include "shell/MenuPlaceHolderHelper.h"

namespace ostrel {

MenuPlaceHolderHelper& MenuPlaceHolderHelper::shared()
{
    static MenuPlaceHolderHelper helper;
    return helper;
}

}
