#include "compare/ComparisonCalcPolicy.h"

#include "reports/Fragments.h"

namespace bkl::compare {

namespace {
reports::CalcPolicy makePolicy()
{
    reports::CalcPolicy p;
    p.alias.entryName = QStringLiteral("CompareReplaceResultAndLookupAndTableAlias");
    p.alias.tablePassName = QStringLiteral("CompareReplaceTableAlias");
    p.alias.lookupPassName = QStringLiteral("CompareReplaceLookupAlias");
    p.alias.resultPassName = QStringLiteral("CompareReplaceResultAlias");
    p.alias.tableResolverName = QStringLiteral("CompareCalcNameForTableAlias");
    p.alias.lookupResolverName = QStringLiteral("CompareCalcNameForLookupAlias");
    p.alias.resultResolverName = QStringLiteral("CompareCalcNameForResultAlias");
    p.alias.unreadTakesPreviousNumber = true;
    // A token that ends a restriction line ("_Result1001<br>") is read whole, so
    // the two models' different ids rewrite to the same name.
    p.alias.markupEndsNumber = true;
    // Only content decides a comparison, not the order a server keeps rows in.
    p.unorderedRows = reports::RowOrder::ByText;
    p.constraintTreeName = QStringLiteral("CompareCalcConstraintTree");
    p.folderPathName = QStringLiteral("CompareFolderTreeRecursive");
    const QString nbsp = QString::fromLatin1(reports::kNbsp);
    p.html.dataSources = {QStringLiteral("CompareCalculationSourceAndJoinAndUnion"), nbsp};
    p.html.partitions = {QStringLiteral("CompareCalculationPartitions"), nbsp};
    p.html.restrictions = {QStringLiteral("CompareCalculationRestrictions"), nbsp};
    p.html.dependencies = {QStringLiteral("CompareCalculationDependentObjects"), nbsp};
    // The comparison's folder procedure logs its name with a blank before "()".
    p.html.folder = {QStringLiteral("CompareCalculationFolder "), nbsp};
    p.html.viewsList = QStringLiteral("CompareAllViewsForCalculation");
    p.html.compPlanList = QStringLiteral("CompareAllCompPlanForCalculation");
    p.html.tailoredList = QStringLiteral("CompareAllTailoredReportsForCalculation");
    p.html.presentorList = QStringLiteral("CompareAllPresentorReportsForCalculation");
    p.lookupTreeDepth = 1;
    p.dependenciesHeadingWidth = QStringLiteral("35%");
    p.dependenciesListWidths = {QStringLiteral("66%"), QStringLiteral("65%"), QStringLiteral("65%"),
                                QStringLiteral("65%")};
    return p;
}
} // namespace

const reports::CalcPolicy& ComparisonCalcPolicy()
{
    static const reports::CalcPolicy policy = makePolicy();
    return policy;
}

} // namespace bkl::compare
