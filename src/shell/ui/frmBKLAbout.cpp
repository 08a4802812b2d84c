#include "shell/ui/frmBKLAbout.h"

#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/BuildText.h"
#include "shell/Log.h"

#include <QAction>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>

using namespace bkl;

namespace {

const char kSupportMail[] = "support@brisklane.example";
const char kWebSite[] = "https://brisklane.example/";
// The platform's "File not found", what a missing whatsnew.txt raised.
constexpr long kFileNotFound = 53;

QLabel* LinkLabel(const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"#\">") + caption.toHtmlEscaped() + QStringLiteral("</a>"),
                             parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

frmBKLAbout::frmBKLAbout(QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmBKLAbout"));
    buildControls();
    Form_Load();
}

void frmBKLAbout::buildControls()
{
    tbAbout = new QToolBar(this);
    tbAbout->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const QStringList captions{QStringLiteral("Brisklane"), QStringLiteral("Development Credits"),
                               QStringLiteral("Keyboard Shortcuts"), QStringLiteral("Version History")};
    for (int i = 0; i < captions.size(); ++i) {
        QAction* a = tbAbout->addAction(captions.at(i));
        a->setCheckable(true);
        const int position = i + 1;
        connect(a, &QAction::triggered, this, [this, position] { tbAbout_ButtonClick(position); });
    }

    picBKL = new QWidget(this);
    picBKL->setObjectName(QStringLiteral("picBKL"));
    lblTitle = new QLabel(picBKL);
    QFont title = lblTitle->font();
    title.setPointSize(title.pointSize() + 10);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(picBKL);
    lblAnnote = new QLabel(picBKL);
    lblNotice = new QLabel(picBKL);
    lblNotice->setWordWrap(true);
    lblEMAIL = LinkLabel(QStringLiteral("BKL Support"), picBKL);
    lblWEB = LinkLabel(QString::fromLatin1(kWebSite), picBKL);
    connect(lblEMAIL, &QLabel::linkActivated, this, &frmBKLAbout::lblEMAIL_Click);
    connect(lblWEB, &QLabel::linkActivated, this, &frmBKLAbout::lblWEB_Click);
    auto* links = new QGridLayout;
    links->addWidget(new QLabel(QStringLiteral("Email:"), picBKL), 0, 0);
    links->addWidget(lblEMAIL, 0, 1);
    links->addWidget(new QLabel(QStringLiteral("Web:"), picBKL), 1, 0);
    links->addWidget(lblWEB, 1, 1);
    links->setColumnStretch(1, 1);
    auto* product = new QVBoxLayout(picBKL);
    product->addWidget(lblTitle);
    product->addWidget(lblVersion);
    product->addWidget(lblAnnote);
    product->addSpacing(12);
    product->addLayout(links);
    product->addStretch(1);
    product->addWidget(lblNotice);

    picFile = new QWidget(this);
    picFile->setObjectName(QStringLiteral("picFile"));
    txtReadFromFile = new QPlainTextEdit(picFile);
    txtReadFromFile->setReadOnly(true);
    auto* file = new QVBoxLayout(picFile);
    file->setContentsMargins(0, 0, 0, 0);
    file->addWidget(txtReadFromFile);

    // Both panels share one place; one of them is in view at a time.
    auto* panels = new QGridLayout;
    panels->addWidget(picBKL, 0, 0);
    panels->addWidget(picFile, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbAbout);
    layout->addLayout(panels, 1);
    resize(520, 360);
}

void frmBKLAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProductName));
    WriteLog(QStringLiteral("Start ") + windowTitle(), LogInfo);
    lblTitle->setText(QString::fromLatin1(kProductName));
    lblVersion->setText(BuildText());
    lblNotice->setText(QStringLiteral("Brisklane reads Quellmar models and never changes them. It is provided as "
                                      "is, without warranty of any kind."));
    lblAnnote->setText(QStringLiteral("Quellmar SPM 6.1 and above"));
    showProductPanel(true);
    tbAboutButton(1)->setChecked(true);
    tbAboutButton(4)->setChecked(false);
}

QAction* frmBKLAbout::tbAboutButton(int position) const { return tbAbout->actions().value(position - 1); }

bool frmBKLAbout::tbAboutMarked(int position) const
{
    QAction* a = tbAboutButton(position);
    return a && a->isChecked();
}

void frmBKLAbout::showProductPanel(bool product)
{
    picBKL->setVisible(product);
    picFile->setVisible(!product);
}

void frmBKLAbout::tbAbout_ButtonClick(int position)
{
    // Only buttons 1 and 4 carry a mark; a click never toggles it by itself.
    switch (position) {
    case 1:
        showProductPanel(true);
        tbAboutButton(1)->setChecked(true);
        tbAboutButton(4)->setChecked(false);
        break;
    case 4: {
        showProductPanel(false);
        tbAboutButton(1)->setChecked(false);
        tbAboutButton(4)->setChecked(true);
        const QString text
            = ReadTheTextForAbout(ApplicationFolderPath(QStringLiteral("config")) + QStringLiteral("whatsnew.txt"));
        // The box shows the CR LF line ends as line breaks.
        txtReadFromFile->setPlainText(text.isEmpty() ? QStringLiteral("Error: Can't find whatsnew.txt")
                                                     : QString(text).replace(QLatin1String(kCrLf), QStringLiteral("\n")));
        break;
    }
    default:
        tbAboutButton(position)->setChecked(false);
        break;
    }
}

QString frmBKLAbout::ReadTheTextForAbout(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const long number = f.exists() ? static_cast<long>(f.error()) : kFileNotFound;
        WriteLog(QStringLiteral("Function: ReadTheTextForAbout() -> Code: ") + QString::number(number)
                     + QStringLiteral(" --> Description: ") + f.errorString(),
                 LogError);
        return {};
    }
    QTextStream in(&f);
    QString text;
    QString line;
    while (in.readLineInto(&line))
        text += line + QLatin1String(kCrLf);
    f.close();
    return text;
}

void frmBKLAbout::lblEMAIL_Click() { Shell().open(QStringLiteral("mailto:") + QString::fromLatin1(kSupportMail)); }

void frmBKLAbout::lblWEB_Click()
{
    if (!Shell().open(QString::fromLatin1(kWebSite)))
        MsgBox(QStringLiteral("There was an error when trying to open a default browser"), mb::OKOnly | mb::Critical,
               QStringLiteral("Error"));
}

void frmBKLAbout::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }
