#pragma once

#include <QProxyStyle>

// The platform's own style, except that the icons of the extension buttons
// (shown only when a menu bar or tool bar is too narrow for its items) are
// read when first drawn instead of when the bar is built: Qt reads an image
// file by asking every image format plugin first, which loads them all.
class BuiltInImageStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
