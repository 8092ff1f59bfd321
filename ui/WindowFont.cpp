#include "WindowFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>

namespace quendra::ui {

namespace {

constexpr const char* kFamily = "Tahoma";
constexpr int kPointSize = 8;
constexpr const char* kWineTahoma = "/usr/share/wine/fonts/tahoma.ttf";
// Average-width sample: every letter once.
constexpr const char* kSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
// Tahoma 8 pt at 96 ppi as FreeType measures the Wine copy; used only when no Tahoma exists.
constexpr TextExtent kTahomaAt96{11.0, 313.2};

bool tahomaPresent() {
    static const bool present = [] {
        if (QFontDatabase::families().contains(QLatin1String(kFamily)))
            return true;
        if (QFile::exists(QLatin1String(kWineTahoma)))
            return QFontDatabase::addApplicationFont(QLatin1String(kWineTahoma)) >= 0;
        return false;
    }();
    return present;
}

QFont tahoma() {
    QFont font(QLatin1String(kFamily), kPointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

bool shapes(const QFont& font) {
    return !(font.styleStrategy() & QFont::PreferNoShaping);
}

} // namespace

QFont windowFont() {
    tahomaPresent(); // loads the Wine copy before the first use
    return tahoma();
}

QFont shapingFont() {
    QFont font = windowFont();
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

bool needsShaping(const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Other_Format:
            return true;
        default:
            break;
        }
        switch (QChar::script(c)) {
        case QChar::Script_Common:
        case QChar::Script_Inherited:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
            break;
        default:
            return true;
        }
    }
    return false;
}

void fitFontToText(QLineEdit* field) {
    const bool needed = needsShaping(field->text());
    if (needed == shapes(field->font()))
        return;
    field->setFont(needed ? shapingFont() : QFont());
}

TextExtent measureText(const QFont& font, const QPaintDevice* device) {
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    return {metrics.height(), metrics.horizontalAdvance(QLatin1String(kSample))};
}

TextExtent designText() {
    if (!tahomaPresent())
        return kTahomaAt96;
    QImage at96(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = 3780; // 96 dots per inch
    at96.setDotsPerMeterX(dotsPerMeter);
    at96.setDotsPerMeterY(dotsPerMeter);
    return measureText(tahoma(), &at96);
}

} // namespace quendra::ui
