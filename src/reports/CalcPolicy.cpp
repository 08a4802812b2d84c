#include "reports/CalcPolicy.h"

namespace bkl::reports {

const CalcPolicy& DetailPolicy()
{
    static const CalcPolicy policy;
    return policy;
}

} // namespace bkl::reports
