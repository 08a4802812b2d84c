#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

// The timed wait window of cTFunctions: a message and a bar that advances by a
// random step of 1 to 8 per tick and closes itself once it reaches 92.
class frmProgress : public QDialog {
    Q_OBJECT
public:
    explicit frmProgress(QWidget* parent = nullptr);

    QLabel* lblMessage = nullptr;
    QProgressBar* prgProgress = nullptr;
    QTimer* tmrProgress = nullptr;
    QLabel* lblCap = nullptr;
    QLabel* lblShowIncrement = nullptr;

    // iApp 0: three-dimensional bar, else flat; iScrolling 0: segmented fill, else smooth.
    void setBarLook(int iApp, int iScrolling);

public slots:
    void tmrProgress_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    short m_iStep = 0;
};
