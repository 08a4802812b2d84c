#include "reports/DetailSectionFlags.h"

bool g_bTableType = false;
bool g_bTableRecordCount = false;
bool g_bTableColumns = false;
bool g_bViewColumns = false;
bool g_bViewDependentObjects = false;
bool g_bCalendarTimeHierarchy = false;
bool g_bCalcType = false;
bool g_bCalcDescription = false;
bool g_bCalcDataSources = false;
bool g_bCalcFormula = false;
bool g_bCalcPartitions = false;
bool g_bCalcRestrictions = false;
bool g_bCalcCalendar = false;
bool g_bCalcDependencies = false;
bool g_bCalcFolder = false;
bool g_bPlanID = false;
bool g_bPlanPayeeGroup = false;
bool g_bPlanComments = false;
bool g_bPlanCalculations = false;
bool g_bTailoredReportID = false;
bool g_bTailoredPayeeGroup = false;
bool g_bTailoredCalculations = false;
bool g_bPresentorSourceDependencies = false;
bool g_bPresentorLinkedReports = false;
