#include "ui/twiplayout.h"

#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
constexpr double TwipsPerPixel = 15.0;

// The factor at which a design length of twips becomes the pixels asked for.
double scaleFor(int pixels, int twips)
{
    return pixels * TwipsPerPixel / twips;
}
} // namespace

void TwipLayout::add(QWidget* widget, int left, int top, int width, int height, bool mustFitText)
{
    m_entries.append({widget, QRect(left, top, width, height), mustFitText});
}

void TwipLayout::need(int pixels, int twips)
{
    m_needs.append({pixels, twips});
}

void TwipLayout::needWidth(const QWidget* widget, int pixels)
{
    need(pixels, designOf(widget).width());
}

void TwipLayout::needHeight(const QWidget* widget, int pixels)
{
    need(pixels, designOf(widget).height());
}

QRect TwipLayout::designOf(const QWidget* widget) const
{
    for (const Entry& entry : m_entries)
        if (entry.widget == widget)
            return entry.twips;
    Q_ASSERT_X(false, "TwipLayout", "a need for a control that was not added");
    return {};
}

int TwipLayout::toPixels(int twips, double scale)
{
    return static_cast<int>(std::lround(twips * scale / TwipsPerPixel));
}

QSize TwipLayout::neededSize(const QWidget* widget)
{
    // A push button's size hint asks for a minimum width of the style's
    // own; what must fit is its caption within the frame and margins.
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        const QStyle* style = button->style();
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const QFontMetrics fm(button->font());
        return {fm.horizontalAdvance(button->text()) + 2 * (frame + margin),
                fm.height() + 2 * frame + 2};
    }
    return widget->sizeHint();
}

double TwipLayout::fittingScale() const
{
    double scale = 1.0;
    for (const Entry& entry : m_entries) {
        if (!entry.mustFitText)
            continue;
        const QSize hint = neededSize(entry.widget);
        scale = std::max({scale, scaleFor(hint.width(), entry.twips.width()),
                          scaleFor(hint.height(), entry.twips.height())});
    }
    for (const Need& need : m_needs)
        scale = std::max(scale, scaleFor(need.pixels, need.twips));
    return scale;
}

void TwipLayout::apply(double scale) const
{
    for (const Entry& entry : m_entries) {
        const QRect& t = entry.twips;
        entry.widget->setGeometry(toPixels(t.left(), scale), toPixels(t.top(), scale),
                                  toPixels(t.width(), scale), toPixels(t.height(), scale));
    }
}
