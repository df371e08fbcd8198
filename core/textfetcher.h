#pragma once

#include "core/failure.h"

#include <QString>
#include <variant>

// Fetches one URL as text: a plain GET whose whole body comes back, or a
// failure with a number and a description. A fetch started while another is
// still in progress fails at once with BusyErrorNumber.
class TextFetcher
{
public:
    using Result = std::variant<QString, Failure>;

    virtual ~TextFetcher() = default;
    virtual Result fetch(const QString& url) = 0;
};
