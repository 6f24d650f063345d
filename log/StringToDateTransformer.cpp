#include "log/StringToDateTransformer.h"

#include "core/DateHelper.h"

namespace ostrel {

base::Value StringToDateTransformer::transformedValue(const base::Value& value) const
{
    const std::string* text = value.asString();
    if (!text)
        return {};
    auto date = DateHelper::sharedHelper().dateFromString(*text);
    if (!date)
        return {};
    return base::Value::Date { *date };
}

base::Value StringToDateTransformer::reverseTransformedValue(const base::Value& value) const
{
    const base::Value::Date* date = value.asDate();
    if (!date)
        return {};
    return DateHelper::sharedHelper().stringFromDate(date->seconds);
}

}
