#include "platform/text/Attributes.h"

namespace text {

const std::string& Attachment::data() const
{
    static const std::string empty;
    return contents ? *contents : empty;
}

}
