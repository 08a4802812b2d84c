#pragma once
// The 24 detail-section switches: true when the section is exported or compared.
// All false at start; set from a detail-section tree before each export or compare run.
extern bool g_bTableType;
extern bool g_bTableRecordCount;
extern bool g_bTableColumns;
extern bool g_bViewColumns;
extern bool g_bViewDependentObjects;
extern bool g_bCalendarTimeHierarchy;
extern bool g_bCalcType;
extern bool g_bCalcDescription;
extern bool g_bCalcDataSources;
extern bool g_bCalcFormula;
extern bool g_bCalcPartitions;
extern bool g_bCalcRestrictions;
extern bool g_bCalcCalendar;
extern bool g_bCalcDependencies;
extern bool g_bCalcFolder;
extern bool g_bPlanID;
extern bool g_bPlanPayeeGroup;
extern bool g_bPlanComments;
extern bool g_bPlanCalculations;
extern bool g_bTailoredReportID;
extern bool g_bTailoredPayeeGroup;
extern bool g_bTailoredCalculations;
extern bool g_bPresentorSourceDependencies;
extern bool g_bPresentorLinkedReports;
