#pragma once
// The progress bar and percentage label a preview or export driver advances.
// The caller owns the range (minimum, maximum) and prepares the value and the
// caption before a run; the driver reads the value, writes it back raised by
// one and sets the caption once per object.
#include <QString>

namespace bkl::reports {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    virtual int value() const = 0;
    // Rejects a value outside [minimum, maximum] with std::out_of_range, as the
    // bar control does; the drivers clamp before they write.
    virtual void setValue(int value) = 0;
    virtual void setCaption(const QString& caption) = 0;
};

// Throws std::out_of_range when `value` lies outside [minimum, maximum].
void CheckProgressValue(int value, int minimum, int maximum);

// A sink without widgets: keeps the range, the value and the caption.
class PlainProgressSink final : public ProgressSink {
public:
    PlainProgressSink(int minimum, int maximum, int value);
    int minimum() const override { return min_; }
    int maximum() const override { return max_; }
    int value() const override { return value_; }
    void setValue(int value) override;
    void setCaption(const QString& caption) override { caption_ = caption; }
    const QString& caption() const { return caption_; }

private:
    int min_;
    int max_;
    int value_;
    QString caption_;
};

} // namespace bkl::reports
