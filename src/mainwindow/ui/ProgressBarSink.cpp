#include "mainwindow/ui/ProgressBarSink.h"

#include <QLabel>
#include <QProgressBar>

namespace bkl {

int ProgressBarSink::minimum() const { return bar_->minimum(); }
int ProgressBarSink::maximum() const { return bar_->maximum(); }
int ProgressBarSink::value() const { return bar_->value(); }

void ProgressBarSink::setValue(int value)
{
    reports::CheckProgressValue(value, bar_->minimum(), bar_->maximum());
    bar_->setValue(value);
}

void ProgressBarSink::setCaption(const QString& caption) { label_->setText(caption); }

} // namespace bkl
