#pragma once
#include <QWidget>
#include <functional>

namespace bkl::test {

// Runs `action`; `inside` is called with the first modal window it opens
// (nullptr when none opens) and must close it. A modal window still open after
// five seconds is closed, so a failing test cannot hang the run.
void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside);

} // namespace bkl::test
