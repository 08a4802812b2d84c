#pragma once
#include <QDialog>

namespace bkl {

// A dialog whose Form_Unload runs exactly once when it closes, however it is
// closed (its buttons, Esc, the close box): every such path ends in done().
class UnloadingDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void done(int result) override;

protected:
    virtual void Form_Unload() {}

private:
    bool m_unloaded = false;
};

} // namespace bkl
