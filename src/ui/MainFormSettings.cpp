#include "ui/MainFormSettings.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"

void UpgradeSettingsLayout()
{
    const int version = ReadSettingIntegerLenient(QStringLiteral("RegVer"), QString(), 0);
    if (version < 13000) {
        // The toolbars of that layout are reset by the command ribbon itself, which keeps no
        // stored customization yet.
        WriteSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), 0);
        DeleteSettingSection(QStringLiteral("Menus"));
        DeleteSettingSection(QStringLiteral("Wanted Items"));
    }
    if (version < 14000)
        WriteSettingInteger(QStringLiteral("RegVer"), QString(), 14000);
}

WindowPlacement ReadWindowPlacement(const QSize &designSize)
{
    WindowPlacement placement;
    placement.maximized =
        ReadSettingString(QStringLiteral("WindowState"), QString()).compare(QStringLiteral("Maximized")) == 0;
    placement.hasBounds = SettingExists(QStringLiteral("WindowWidth"), QString()) &&
                          SettingExists(QStringLiteral("WindowHeight"), QString());
    placement.bounds = QRect(ReadSettingIntegerLenient(QStringLiteral("WindowLeft"), QString(), 0),
                             ReadSettingIntegerLenient(QStringLiteral("WindowTop"), QString(), 0),
                             ReadSettingIntegerLenient(QStringLiteral("WindowWidth"), QString(), designSize.width()),
                             ReadSettingIntegerLenient(QStringLiteral("WindowHeight"), QString(), designSize.height()));
    if (placement.bounds.width() < 100 || placement.bounds.height() < 100)
        placement.bounds.setSize(designSize);
    return placement;
}

void WriteWindowPlacement(bool maximized, const QRect &normalBounds)
{
    WriteSettingString(QStringLiteral("WindowState"), QString(),
                       maximized ? QStringLiteral("Maximized") : QStringLiteral("Normal"));
    if (maximized)
        return;
    WriteSettingInteger(QStringLiteral("WindowLeft"), QString(), normalBounds.left());
    WriteSettingInteger(QStringLiteral("WindowTop"), QString(), normalBounds.top());
    WriteSettingInteger(QStringLiteral("WindowWidth"), QString(), normalBounds.width());
    WriteSettingInteger(QStringLiteral("WindowHeight"), QString(), normalBounds.height());
}

QRect PlaceOnScreen(const QRect &bounds, const QRect &available)
{
    if (available.isEmpty())
        return bounds;
    QRect placed = bounds;
    placed.setWidth(std::min(placed.width(), available.width()));
    placed.setHeight(std::min(placed.height(), available.height()));
    // Enough of the title bar must be on the screen to grab it.
    const QRect visible = placed.intersected(available);
    if (visible.width() >= 100 && visible.height() >= 50 && placed.top() >= available.top())
        return placed;
    placed.moveCenter(available.center());
    return placed;
}

QString ProgramVersionText()
{
    return QStringLiteral("Version: %1.%2 build %3")
        .arg(REELNEST_VERSION_MAJOR)
        .arg(REELNEST_VERSION_MINOR)
        .arg(REELNEST_BUILD_NUMBER);
}

QString ActiveLanguageText()
{
    return QStringLiteral("Active Language: ") + GetLanguageName();
}

QString TranslationCreditText()
{
    return QStringLiteral("Translation by: ") + GetLanguageCredit();
}
