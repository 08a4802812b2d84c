#include "mainwindow/ui/BrowserCommandButtons.h"

#include "mainwindow/ui/FrameIcons.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/Browser.h"

#include <QBoxLayout>
#include <QToolButton>
#include <exception>

namespace bkl {
namespace {

// A picture button: the command's caption is its accessible name, the tool tip its longer text.
QToolButton* MakeButton(QWidget* parent, const char* name, mainwindow::ToolbarIcon icon, const char* caption,
                        const char* tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(mainwindow::Icon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(QLatin1String(tip));
    button->setAccessibleName(QLatin1String(caption));
    button->setAutoRaise(true);
    return button;
}

// Runs one browser command; a failure is reported to the user only.
template <typename Command>
void RunCommand(Command command, const QString& failureTitle)
{
    try {
        command();
    } catch (const std::exception& e) {
        MsgBox(QStringLiteral("Unable to perform the command") + QLatin1String(kCrLf) + QLatin1String(kCrLf)
                   + QString::fromUtf8(e.what()),
               mb::Critical, failureTitle);
    }
}

} // namespace

BrowserCommandButtons::BrowserCommandButtons(Browser* browser, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent),
      cmdIEPreview(MakeButton(this, "cmdIEPreview", mainwindow::ToolbarIcon::SaveAs, "Save As",
                              "Save Preview Report As ...")),
      cmdPreview(MakeButton(this, "cmdPreview", mainwindow::ToolbarIcon::PrintPreview, "Print Preview", "Preview Report")),
      cmdPrint(MakeButton(this, "cmdPrint", mainwindow::ToolbarIcon::Print, "Print", "Print Preview Report")),
      browser_(browser)
{
    auto* layout = new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(cmdIEPreview);
    layout->addWidget(cmdPreview);
    layout->addWidget(cmdPrint);
    layout->addStretch();
    connect(cmdIEPreview, &QToolButton::clicked, this, &BrowserCommandButtons::cmdIEPreview_Click);
    connect(cmdPreview, &QToolButton::clicked, this, &BrowserCommandButtons::cmdPreview_Click);
    connect(cmdPrint, &QToolButton::clicked, this, &BrowserCommandButtons::cmdPrint_Click);
}

void BrowserSaveAs(Browser* browser)
{
    RunCommand([browser] { browser->saveAs(); }, QStringLiteral("Save Error"));
}

void BrowserPrintPreview(Browser* browser)
{
    RunCommand([browser] { browser->printPreview(); }, QStringLiteral("Preview Error"));
}

void BrowserPrint(Browser* browser)
{
    RunCommand([browser] { browser->print(); }, QStringLiteral("Print Error"));
}

void BrowserCommandButtons::cmdIEPreview_Click() { BrowserSaveAs(browser_); }
void BrowserCommandButtons::cmdPreview_Click() { BrowserPrintPreview(browser_); }
void BrowserCommandButtons::cmdPrint_Click() { BrowserPrint(browser_); }

} // namespace bkl
