#pragma once
// The progress sink of a window: its progress bar and percentage label.
#include "reports/ProgressSink.h"

class QLabel;
class QProgressBar;

namespace bkl {

class ProgressBarSink final : public reports::ProgressSink {
public:
    ProgressBarSink(QProgressBar* bar, QLabel* label) : bar_(bar), label_(label) {}
    int minimum() const override;
    int maximum() const override;
    int value() const override;
    void setValue(int value) override;
    void setCaption(const QString& caption) override;

private:
    QProgressBar* bar_;
    QLabel* label_;
};

} // namespace bkl
