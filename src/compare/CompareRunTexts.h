#pragma once
// The messages of a compare run and the detailed summary it builds.
#include <QString>

namespace bkl::compare {

// "Compare Objects": the title of the run's boxes.
QString CompareRunTitle();
// "No objects selected for comparison !"
QString NoObjectsToCompareText();
// "Unable to find any active target model connection ! Click Connect button to select the target model. "
QString NoTargetConnectionText();
// "Run compare?" with the source and target model captions and the note.
QString RunCompareQuestion(const QString& sourceModel, const QString& targetModel);
// "Compare ran successfully !" and the offer of the detailed summary; when
// `errors` of the `compared` objects got the status "Error", "Compare ran with
// errors !" and their count in its place, so a failure never reads as success.
QString CompareDoneQuestion(int errors = 0, int compared = 0);

// What one item adds to the detailed summary: its comparison page (nothing
// for a kind that is not compared) and "<br>".
QString DetailedSummaryEntry(const QString& result);

} // namespace bkl::compare
