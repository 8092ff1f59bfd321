#pragma once

#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;

namespace quendra::ui {

// Qt's own texts (the file choosers' labels and buttons, the message box's buttons, the fields'
// context menus) in a language, from Qt's "qtbase" translation for it; English where there is
// none. The program's own texts are English and never translated. Installed into the
// application for as long as this lives.
class QtTranslations {
public:
    // The desktop's language, from Qt's own translation folder.
    QtTranslations();
    QtTranslations(const QLocale& language, const QString& folder);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Whether a translation was found; English otherwise.
    bool installed() const { return translator_ != nullptr; }

private:
    std::unique_ptr<QTranslator> translator_;
};

} // namespace quendra::ui
