#include "mainwindow/CheckedObjects.h"

#include "mainwindow/ObjectKinds.h"
#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {

CheckedObjects CollectCheckedObjects(const std::vector<ObjectRowTexts>& checkedRows)
{
    CheckedObjects handOff;
    for (const ObjectRowTexts& row : checkedRows) {
        const ObjectRowTexts trimmed{Trim(row.name), Trim(row.type)};
        const QString kindKey = UCase(trimmed.type);
        for (size_t k = 0; k < kAllKinds.size(); ++k) {
            if (kindKey == UCase(ListTypeText(kAllKinds[k]))) {
                handOff.lists[k] += QLatin1Char('|') + trimmed.name;
                break;
            }
        }
        handOff.rows.push_back(trimmed);
    }
    return handOff;
}

} // namespace bkl::mainwindow
