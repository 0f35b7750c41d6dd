#pragma once

class QString;
class QWidget;

// A short note under an input field for a few seconds, such as why a typed key did nothing. A
// tool tip would not do: Qt hides it as soon as the key is released. The note is a child of the
// field's window, named "InputHint", and goes away with the window.
void showInputHint(QWidget* field, const QString& message);
