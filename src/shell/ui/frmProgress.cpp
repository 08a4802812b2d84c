#include "shell/ui/frmProgress.h"

#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace bkl;

namespace {
constexpr int kCloseAt = 92;
}

frmProgress::frmProgress(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Progress"));
    setModal(true);
    lblMessage = new QLabel(this);
    prgProgress = new QProgressBar(this);
    prgProgress->setRange(0, 110);
    prgProgress->setValue(0);
    prgProgress->setTextVisible(false);
    lblCap = new QLabel(this);
    lblCap->hide();
    lblShowIncrement = new QLabel(this);
    lblShowIncrement->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(prgProgress);
    setMinimumWidth(360);
    tmrProgress = new QTimer(this);
    connect(tmrProgress, &QTimer::timeout, this, &frmProgress::tmrProgress_Timer);
    Form_Load();
}

void frmProgress::Form_Load()
{
    WriteLog(windowTitle(), LogInfo);
    tmrProgress_Timer();
}

void frmProgress::setBarLook(int iApp, int iScrolling)
{
    const QString border = iApp == 0 ? QStringLiteral("2px inset #808080") : QStringLiteral("1px solid #808080");
    const QString chunk = iScrolling == 0 ? QStringLiteral("width: 10px; margin: 1px;") : QString();
    prgProgress->setStyleSheet(QStringLiteral("QProgressBar { border: %1; background: white; }"
                                              "QProgressBar::chunk { background-color: #000080; %2 }")
                                   .arg(border, chunk));
}

void frmProgress::tmrProgress_Timer()
{
    m_iStep = static_cast<short>(static_cast<int>(Random().next() * 8 + 1));
    prgProgress->setValue(prgProgress->value() + m_iStep);
    if (UCase(lblShowIncrement->text()) == QLatin1String("TRUE"))
        setWindowTitle(lblCap->text() + QLatin1Char(' ') + QString::number(prgProgress->value()) + QLatin1Char('%'));
    else
        setWindowTitle(lblCap->text());
    if (prgProgress->value() >= kCloseAt) {
        tmrProgress->stop();
        accept();
    }
}

void frmProgress::keyPressEvent(QKeyEvent* event)
{
    // The wait closes itself; Esc does not end it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
