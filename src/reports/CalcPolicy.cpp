#include "reports/CalcPolicy.h"

#include "reports/Fragments.h"

namespace bkl::reports {

const CalcPolicy& DetailPolicy()
{
    static const CalcPolicy policy = [] {
        CalcPolicy p;
        const QString spacer = QString::fromLatin1(kErrorSpacer);
        p.html.dataSources.value = spacer;
        p.html.partitions.value = spacer;
        p.html.restrictions.value = spacer;
        p.html.dependencies.value = spacer;
        p.html.folder.value = spacer;
        return p;
    }();
    return policy;
}

} // namespace bkl::reports
