#pragma once

#include "platform/text/Rtf.h"

#include <functional>
#include <gtest/gtest.h>

namespace text::test {

inline Attributes font(std::string name, double size = 12)
{
    Attributes a;
    a.font = gfx::Font { std::move(name), size };
    return a;
}

inline Attributes with(Attributes a, const std::function<void(Attributes&)>& change)
{
    change(a);
    return a;
}

inline AttributedString read(std::string_view rtf)
{
    auto document = Rtf::read(rtf);
    EXPECT_TRUE(document.has_value()) << rtf;
    return document ? document->text : AttributedString {};
}

inline AttributedString roundTrip(const AttributedString& s)
{
    return read(Rtf::write(s));
}

}
