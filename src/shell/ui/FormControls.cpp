#include "shell/ui/FormControls.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace bkl {

QLineEdit* NewTextBox(QWidget* parent, int maxLength)
{
    auto* box = new QLineEdit(parent);
    box->setMaxLength(maxLength);
    return box;
}

QString PasswordBoxStyle(const QString& backgroundColour)
{
    const QString background
        = backgroundColour.isEmpty() ? QString() : QStringLiteral(" background-color: %1;").arg(backgroundColour);
    return QStringLiteral("QLineEdit {%1 lineedit-password-character: 42; }").arg(background);
}

QLineEdit* NewPasswordBox(QWidget* parent, int maxLength)
{
    QLineEdit* box = NewTextBox(parent, maxLength);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(PasswordBoxStyle(QString()));
    return box;
}

QPushButton* NewButton(const QString& caption, const QString& toolTip, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(toolTip);
    return button;
}

QHBoxLayout* RightAlignedButtons(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

void NoDefaultButton(QWidget* dialog)
{
    // A dialog without a default button makes its first auto-default button
    // the default when it is shown, and a focused one takes that role.
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        button->setAutoDefault(false);
}

} // namespace bkl
