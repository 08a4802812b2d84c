#include "shell/ui/cTFunctions.h"
#include "platform/ui/ModalWindows.h"

#include "platform/core/TextSemantics.h"
#include "shell/ui/frmProgress.h"

#include <QLabel>
#include <QTimer>

using namespace bkl;

namespace {
constexpr int kTextLimit = 100;
}

cTFunctions::cTFunctions() : m_frm(new frmProgress)
{
    m_frm->lblMessage->clear();
    m_frm->setWindowTitle(QString());
}

cTFunctions::~cTFunctions() { delete m_frm; }

int cTFunctions::showProgress(const QString& showLabel, const QString& showTitle, int iProgress, int iApp,
                              int iScrolling, bool bShowInc)
{
    try {
        if (iProgress < 0 || iProgress > 32767)
            return 1;
        m_frm->lblMessage->setText(Left(Trim(showLabel), kTextLimit));
        const QString caption = Left(Trim(showTitle), kTextLimit);
        m_frm->setWindowTitle(caption);
        m_frm->lblCap->setText(caption);
        m_frm->tmrProgress->setInterval(iProgress == 0 ? 100 : iProgress);
        m_frm->setBarLook(iApp, iScrolling);
        m_frm->lblShowIncrement->setText(bShowInc ? QStringLiteral("True") : QStringLiteral("False"));
        m_frm->tmrProgress->start();
        ExecModal(*m_frm);
        return 0;
    } catch (...) {
        return 1;
    }
}
