#include "shell/ui/frmBKLSplash.h"

#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/BuildText.h"
#include "shell/Log.h"
#include "shell/ui/frmBKLModelLogin.h"

#include <QCloseEvent>
#include <algorithm>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace bkl;

frmBKLSplash::frmBKLSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmBKLSplash"));
    buildControls();
    Form_Load();
}

void frmBKLSplash::buildControls()
{
    setStyleSheet(QStringLiteral("frmBKLSplash { background-color: #000080; border: 2px solid #C0C0C0; }"
                                 "QLabel { color: white; }"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    setPalette(pal);

    Label2 = new QLabel(QString::fromLatin1(kProductName), this);
    QFont title = Label2->font();
    title.setPointSize(title.pointSize() + 16);
    title.setBold(true);
    Label2->setFont(title);
    Label1 = new QLabel(QStringLiteral("A hands-on tool for Quellmar ICM developers ..."), this);
    QFont tagline = Label1->font();
    tagline.setItalic(true);
    Label1->setFont(tagline);
    lblVersion = new QLabel(this);
    lblDisplay = new QLabel(this);
    lblDisplay->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisplay->setMinimumHeight(lblDisplay->fontMetrics().lineSpacing() * 5);
    prgLoad = new QProgressBar(this);
    prgLoad->setRange(0, 30);
    prgLoad->setValue(0);
    prgLoad->setTextVisible(false);
    lblLoad = new QLabel(this);
    lblLoad->hide();
    lblNotice = new QLabel(this);
    QFont small = lblNotice->font();
    small.setPointSize(std::max(6, small.pointSize() - 2));
    lblNotice->setFont(small);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addWidget(lblVersion);
    layout->addSpacing(12);
    layout->addWidget(lblDisplay);
    layout->addWidget(prgLoad);
    layout->addWidget(lblNotice);
    setFixedWidth(480);

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmBKLSplash::Timer1_Timer);
    Timer1->start();
}

void frmBKLSplash::Form_Load()
{
    WriteLog(QStringLiteral("Launch Splash Screen"), LogInfo);
    const QString build = BuildText();
    lblVersion->setText(build);
    // "Initializing Brisklane  Build A.B..."
    lblDisplay->setText(QStringLiteral("Initializing ") + QString::fromLatin1(kProductName) + QLatin1Char(' ')
                        + QLatin1Char(' ') + build + QStringLiteral("..."));
    setCursor(Qt::WaitCursor);
    lblNotice->setText(QStringLiteral("This program reads Quellmar models and never changes them. "
                                      "Provided as is, without warranty of any kind."));
    lblNotice->setWordWrap(true);
}

void frmBKLSplash::appendDisplay(const QString& text)
{
    lblDisplay->setText(lblDisplay->text() + QLatin1String(kCrLf) + text);
}

void frmBKLSplash::Timer1_Timer()
{
    prgLoad->setValue(prgLoad->value() + 1);
    lblLoad->setText(QString::number(prgLoad->value()));
    switch (static_cast<int>(Val(lblLoad->text()))) {
    case 2: appendDisplay(QStringLiteral("Loading User Preferences...")); break;
    case 3: appendDisplay(QStringLiteral("Loading model profiles...")); break;
    case 5: appendDisplay(QStringLiteral("Reading Settings and Verifying application folders...")); break;
    case 7: appendDisplay(QStringLiteral("Loading Application...")); break;
    case 9: {
        unsetCursor();
        close();
        auto* login = new frmBKLModelLogin;
        login->show();
        break;
    }
    default: break;
    }
}

void frmBKLSplash::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    WriteLog(QStringLiteral("Exit Splash Screen"), LogInfo);
    QWidget::closeEvent(event);
}
