#include "ui/titlebar.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QWidget>
#include <algorithm>

int TitleBarWidth(const QWidget* window)
{
    QFont bold = window->font();
    bold.setBold(true);
    const QFontMetrics title(bold);
    // The icon and three buttons (minimise, maximise, close), each a square
    // of the bar's height: 24 pixels at 96 dpi in the common themes, more
    // with a larger font; and the bar's margins.
    const int dpi = window->logicalDpiX();
    const int button = std::max(2 * title.height(), 24 * dpi / 96);
    return title.horizontalAdvance(window->windowTitle()) + 4 * button + 16 * dpi / 96;
}

void FitTitle(QWidget* window)
{
    // A row of that width in the window's layout: a minimum width set on the
    // window would replace the layout's own, and a message box keeps none.
    auto* room = new QSpacerItem(TitleBarWidth(window), 0);
    if (auto* grid = qobject_cast<QGridLayout*>(window->layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else
        window->layout()->addItem(room);
}
