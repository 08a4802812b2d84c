#pragma once
// Small builders for the controls the shell's windows share.
#include <QString>
#include <initializer_list>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace bkl {

// A text box that takes at most maxLength characters.
QLineEdit* NewTextBox(QWidget* parent, int maxLength);
// A text box that shows each character as "*".
QLineEdit* NewPasswordBox(QWidget* parent, int maxLength);
// The style sheet of a password box with the given background colour ("" for the default).
QString PasswordBoxStyle(const QString& backgroundColour);
// A button with its caption and tooltip.
QPushButton* NewButton(const QString& caption, const QString& toolTip, QWidget* parent);
// A row of buttons at the right-hand side.
QHBoxLayout* RightAlignedButtons(std::initializer_list<QPushButton*> buttons);
// Keeps Qt from making one of the dialog's buttons its default: Enter presses
// none of them, neither at first nor after a button has had the focus. Called
// once the buttons are made.
void NoDefaultButton(QWidget* dialog);

} // namespace bkl
