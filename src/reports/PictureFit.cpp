#include "reports/PictureFit.h"

#include "core/GlobalFunctions.h"

#include <cmath>

namespace {
const QString Section = QStringLiteral("Picture Preview");
}

PictureFit FitPicture(QSize picture, QPoint windowPos, QSize desktop)
{
    PictureFit fit;
    fit.windowPos = windowPos;
    fit.imageSize = picture;
    if (picture.isEmpty() ||
        (windowPos.x() + picture.width() <= desktop.width() && windowPos.y() + picture.height() <= desktop.height()))
        return fit;

    if (desktop.width() - windowPos.x() - 20 < 100)
        fit.windowPos.setX(100);
    if (desktop.height() - windowPos.y() - 20 < 100)
        fit.windowPos.setY(100);
    fit.zoomable = true;
    const int maxWidth = desktop.width() - fit.windowPos.x() - 20;
    const int maxHeight = desktop.height() - fit.windowPos.y() - 20;
    int width = qMin(picture.width(), qMax(maxWidth, 1));
    int height = qMin(picture.height(), qMax(maxHeight, 1));
    if (picture.height() > picture.width())
        width = int(std::lround(double(picture.width()) * height / picture.height()));
    else
        height = int(std::lround(double(picture.height()) * width / picture.width()));
    fit.imageSize = QSize(qMax(width, 1), qMax(height, 1));
    return fit;
}

QPoint PreviewStartPosition(QPoint defaultPos, QSize desktop)
{
    QPoint pos = defaultPos;
    if (!SettingExists(QStringLiteral("WindowTop"), Section))
        return pos;
    const int left = ReadSettingInteger(QStringLiteral("WindowLeft"), Section, defaultPos.x());
    const int top = ReadSettingInteger(QStringLiteral("WindowTop"), Section, defaultPos.y());
    if (left < desktop.width() - 50)
        pos.setX(left);
    if (top < desktop.height() - 50)
        pos.setY(top);
    return pos;
}

void SavePreviewPosition(QPoint pos)
{
    WriteSettingInteger(QStringLiteral("WindowLeft"), Section, pos.x());
    WriteSettingInteger(QStringLiteral("WindowTop"), Section, pos.y());
}
