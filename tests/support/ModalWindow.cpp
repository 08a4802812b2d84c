#include "ModalWindow.h"

#include <QApplication>
#include <QTimer>

namespace bkl::test {

void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside)
{
    bool seen = false;
    // Polls for the first modal window (a run pumps events before it opens one).
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (seen || !modal)
            return;
        seen = true;
        reader.stop();
        inside(modal);
    });
    reader.start(5);
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    fallback.start(5000);
    action();
    reader.stop();
    if (!seen)
        inside(nullptr);
}

} // namespace bkl::test
