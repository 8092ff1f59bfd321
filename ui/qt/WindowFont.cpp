#include "WindowFont.h"

#include "DesignFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>

#include <cmath>

namespace quendra::ui {

namespace {

// Debian's copy of the design face, loaded where the system has no Tahoma of its own.
constexpr const char* kWineTahoma = "/usr/share/wine/fonts/tahoma.ttf";

bool tahomaPresent() {
    static const bool present = [] {
        if (QFontDatabase::families().contains(QLatin1String(form::kFontFamily)))
            return true;
        if (QFile::exists(QLatin1String(kWineTahoma)))
            return QFontDatabase::addApplicationFont(QLatin1String(kWineTahoma)) >= 0;
        return false;
    }();
    return present;
}

QFont tahoma() {
    QFont font(QLatin1String(form::kFontFamily), form::kFontPointSize);
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

form::TextExtent measureText(const QFont& font, const QPaintDevice* device) {
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    return {metrics.height(), metrics.horizontalAdvance(QLatin1String(form::kTextSample))};
}

form::TextExtent designText() {
    if (!tahomaPresent())
        return form::kDesignTextWithoutTahoma;
    QImage at96(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(form::kDesignDpi / 0.0254));
    at96.setDotsPerMeterX(dotsPerMeter);
    at96.setDotsPerMeterY(dotsPerMeter);
    return measureText(tahoma(), &at96);
}

} // namespace quendra::ui
