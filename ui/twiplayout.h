#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

// Places controls at their design positions, given in twips (15 twips are
// one pixel at 96 dpi), scaled by one factor for the whole window so that
// the arrangement stays as designed while every caption fits the platform's
// font. At 200 % display scaling Qt doubles the device pixels on its own.
class TwipLayout
{
public:
    void add(QWidget* widget, int left, int top, int width, int height, bool mustFitText = true);
    // The smallest factor (at least 1) at which every control that must fit
    // its text gets the room its size hint asks for.
    double fittingScale() const;
    // Sets every control's geometry at the given scale.
    void apply(double scale) const;
    static int toPixels(int twips, double scale);
    // The room a control needs to show its text unclipped.
    static QSize neededSize(const QWidget* widget);

private:
    struct Entry
    {
        QWidget* widget;
        QRect twips;
        bool mustFitText;
    };
    QList<Entry> m_entries;
};
