#include "reports/ProgressSink.h"

#include <stdexcept>
#include <string>

namespace bkl::reports {

void CheckProgressValue(int value, int minimum, int maximum)
{
    if (value < minimum || value > maximum)
        throw std::out_of_range("Invalid property value: progress value " + std::to_string(value)
                                + " outside " + std::to_string(minimum) + ".." + std::to_string(maximum));
}

PlainProgressSink::PlainProgressSink(int minimum, int maximum, int value) : min_(minimum), max_(maximum), value_(value)
{
    CheckProgressValue(value, minimum, maximum);
}

void PlainProgressSink::setValue(int value)
{
    CheckProgressValue(value, min_, max_);
    value_ = value;
}

} // namespace bkl::reports
