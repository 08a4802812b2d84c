// The desktop message box: a modal question belongs to the program's window and is
// shown on top of it with the focus, also when no window is active (as under a
// display without a window manager, where nothing activates the frame).
#include "platform/core/Seams.h"
#include "platform/ui/QtSeams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QWidget* parent = nullptr;
    bool visible = false;
    bool active = false;
    bool focusInBox = false;
    bool modal = false;
};

// Asks through the installed seam; the box is looked at and answered from its own event loop.
int AskAndLook(const QString& title, int style, QMessageBox::StandardButton answer, SeenBox& seen)
{
    // Looked at once it has the focus, or after five seconds: a loaded machine may
    // take a while to show and activate it.
    auto* look = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(look, &QTimer::timeout, [&, look, waited] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->parentWidget(), box->isVisible(), QApplication::activeWindow() == box,
                box->isAncestorOf(QApplication::focusWidget()), box->isModal() || box->windowModality() != Qt::NonModal};
        if (!(seen.visible && seen.active && seen.focusInBox) && waited->elapsed() < 5000)
            return;
        look->stop();
        look->deleteLater();
        delete waited;
        box->button(answer)->click();
    });
    look->start(10);
    return bkl::MsgBox(QStringLiteral("Question"), style, title);
}

} // namespace

TEST(QtMessageBox, AQuestionIsShownOnItsWindowWithTheFocusAlsoWhenNoWindowIsActive)
{
    bkl::InstallDesktopSeams();
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Frame"));
    frame.show();
    QApplication::processEvents();

    // A find-all question belongs to the frame and is shown on top of it with the focus.
    const auto loadAllQuestion = [&frame](QMessageBox::StandardButton answer, int expected) {
        SeenBox seen;
        EXPECT_EQ(AskAndLook(QStringLiteral("Load Objects"), bkl::mb::YesNo | bkl::mb::Question | bkl::mb::DefaultButton2,
                             answer, seen),
                  expected);
        EXPECT_EQ(seen.parent, &frame);
        EXPECT_TRUE(seen.visible && seen.active && seen.focusInBox && seen.modal);
    };
    // The frame active: the question answered Yes.
    frame.activateWindow();
    QApplication::processEvents();
    loadAllQuestion(QMessageBox::Yes, bkl::mb::Yes);

    // Nothing active any more (the box gone, no window manager to hand the focus back):
    // the next question all the same.
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    loadAllQuestion(QMessageBox::No, bkl::mb::No);

    // A question asked over a modal window belongs to that window.
    QDialog dialog(&frame);
    SeenBox inner;
    QTimer::singleShot(0, &dialog, [&] {
        AskAndLook(QStringLiteral("Brisklane"), bkl::mb::Information, QMessageBox::Ok, inner);
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(inner.parent, &dialog);
    EXPECT_TRUE(inner.visible && inner.active && inner.focusInBox);
    bkl::SetMessageBoxes(nullptr);
}
