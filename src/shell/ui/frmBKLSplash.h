#pragma once
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The first window: product name, build and start-up texts for nine ticks of
// 200 ms, then it closes itself and opens the login.
class frmBKLSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmBKLSplash(QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisplay = nullptr;
    QLabel* lblNotice = nullptr;
    QProgressBar* prgLoad = nullptr;
    QLabel* lblLoad = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    // Appends a line break and the text to lblDisplay.
    void appendDisplay(const QString& text);
};
