#include "builtinimagestyle.h"

#include <QIconEngine>
#include <QPointer>
#include <memory>

namespace {
// Asks the style for the real icon the first time its pixmaps are needed;
// copies of the icon share what was read.
class LazyIconEngine : public QIconEngine
{
public:
    LazyIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : m_shared(std::make_shared<Shared>(Shared{style, which, {}, false}))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // The style's extension icons are never empty: nothing needs reading to say so.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("LazyIconEngine"); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    struct Shared
    {
        QPointer<const QStyle> style;
        QStyle::StandardPixmap which;
        QIcon icon;
        bool read;
    };

    const QIcon& icon()
    {
        Shared& shared = *m_shared;
        if (!shared.read && shared.style) {
            shared.icon = shared.style->standardIcon(shared.which);
            shared.read = true;
        }
        return shared.icon;
    }

    std::shared_ptr<Shared> m_shared;
};
} // namespace

QIcon BuiltInImageStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new LazyIconEngine(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
