#pragma once

class QWidget;

// The width a window needs for its title bar to show the whole title: the
// title in a bold font, as most window managers draw it, and room beside it
// for the window's icon and buttons. The window manager's own font is not
// known to a program, so this errs on the wide side.
int TitleBarWidth(const QWidget* window);

// Makes a dialog or a message box, once its layout and title are set, at
// least that wide, so that the window manager does not cut its title short
// ("ATIS T... etters", "Bri...ast").
void FitTitle(QWidget* window);
