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
    // Asks that a design length of this many twips hold this many pixels
    // once scaled; the same for the design width or height of a control
    // added before.
    void need(int pixels, int twips);
    void needWidth(const QWidget* widget, int pixels);
    void needHeight(const QWidget* widget, int pixels);
    // The smallest factor (at least 1) at which every control that must fit
    // its text gets the room its size hint asks for, and every need is met.
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
    struct Need
    {
        int pixels;
        int twips;
    };
    QRect designOf(const QWidget* widget) const;

    QList<Entry> m_entries;
    QList<Need> m_needs;
};
