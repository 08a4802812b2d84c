#pragma once
// What the calculation renderers do differently when the model comparison runs
// them on one of its two connections: the names their ERROR lines show, the
// value a failing section returns, the depth of a lookup's join conditions and
// the widths of the dependencies table. The detail renderers use DetailPolicy();
// the comparison builds its own once and passes it to the same code.
#include "reports/Fragments.h"
#include "reports/ModelRead.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace bkl::reports {

// HTML for the preview page (model texts escaped, "<br>" and "&nbsp;") or plain
// text for the export file.
enum class RenderMode { Html, Text };

// How one section procedure fails: the name in its ERROR line and what it returns.
struct SectionFailure {
    QString logName;
    QString value;
};

// Names of the alias-rewriting procedures, and how a pass reads an occurrence
// whose number cannot be read.
struct AliasRewritePolicy {
    QString entryName = QStringLiteral("ReplaceResultAndLookupAndTableAlias");
    QString tablePassName = QStringLiteral("ReplaceTableAlias");
    QString lookupPassName = QStringLiteral("ReplaceLookupAlias");
    QString resultPassName = QStringLiteral("ReplaceResultAlias");
    QString tableResolverName = QStringLiteral("GetCalcNameForTableAlias");
    QString lookupResolverName = QStringLiteral("GetCalcNameForLookupAlias");
    QString resultResolverName = QStringLiteral("GetCalcNameForResultAlias");
    // False: such an occurrence lists no token. True: it lists the number of the
    // pass's previous occurrence (0 for the first), as the comparison does.
    bool unreadTakesPreviousNumber = false;
    // True: in an HTML text a "<" also ends the number, like the end of the text.
    // Model text there is escaped, so a raw "<" is the page's own markup (the
    // "<br>" that ends a restriction line), and the token before it is whole.
    bool markupEndsNumber = true;
};

// The HTML section procedures of a calculation, with their failure behaviour
// (their names and the error spacer in the detail).
struct CalcHtmlSections {
    SectionFailure dataSources{QStringLiteral("GetCalculationSourceAndJoinAndUnion"), QLatin1String(kErrorSpacer)};
    SectionFailure partitions{QStringLiteral("GetCalculationPartitions"), QLatin1String(kErrorSpacer)};
    SectionFailure restrictions{QStringLiteral("GetCalculationRestrictions"), QLatin1String(kErrorSpacer)};
    SectionFailure dependencies{QStringLiteral("GetCalculationDependentObjects"), QLatin1String(kErrorSpacer)};
    SectionFailure folder{QStringLiteral("GetCalculationFolder "), QLatin1String(kErrorSpacer)};
    QString viewsList = QStringLiteral("ReturnAllViewsForCalculation");
    QString compPlanList = QStringLiteral("ReturnAllCompPlanForCalculation");
    QString tailoredList = QStringLiteral("ReturnAllTailoredReportsForCalculation");
    QString presentorList = QStringLiteral("ReturnAllPresentorReportsForCalculation");
};

struct CalcPolicy {
    AliasRewritePolicy alias;
    // Order of the rows whose statements leave them unordered: the restriction
    // tree's nodes under one parent and the views that show the calculation.
    RowOrder unorderedRows = RowOrder::AsRead;
    // Names of the two recursive walks; they log only when they meet a cycle.
    QString constraintTreeName = QStringLiteral("GetCalcConstraintTree");
    QString folderPathName = QStringLiteral("GetCalculationFolderPath");
    CalcHtmlSections html;
    // Indent of a lookup's join conditions under its "Add Columns: " line (HTML).
    int16_t lookupTreeDepth = 3;
    // Dependencies table: width of the heading cells, and of the list cell of
    // each row (views, Presentor reports, tailored reports, compensation plans).
    QString dependenciesHeadingWidth = QStringLiteral("25%");
    QStringList dependenciesListWidths{QStringLiteral("75%"), QStringLiteral("75%"), QStringLiteral("75%"),
                                       QStringLiteral("75%")};
};

// The calculation detail's own policy (error spacer, depth 3, 25%/75%): the
// defaults above.
const CalcPolicy& DetailPolicy();

} // namespace bkl::reports
