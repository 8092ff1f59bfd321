// The window's pictures compiled in as pixels, and drop-downs whose list is built on first use.
#include "Artwork.h"
#include "ArtworkPixels.h"
#include "DropDownInput.h"
#include "EncoderLauncher.h"
#include "Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class NoLauncher : public quendra::EncoderLauncher {
public:
    quendra::LaunchResult launch(const quendra::EncoderCommand&) override { return {}; }
};

QImage asArgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Where two pictures differ first, in words; empty when they are the same.
std::string firstDifference(const QImage& shown, const QImage& expected) {
    const QImage a = asArgb(shown);
    const QImage b = asArgb(expected);
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
               std::to_string(b.width()) + "x" + std::to_string(b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       QString::number(a.pixel(x, y), 16).toStdString() + " where the PNG has " +
                       QString::number(b.pixel(x, y), 16).toStdString();
    return {};
}

TEST(Artwork, EveryCompiledPictureIsItsPngPixelForPixel) {
    ASSERT_EQ(quendra::ui::kCompiledPictureCount, 5u);
    for (std::size_t i = 0; i < quendra::ui::kCompiledPictureCount; ++i) {
        const char* resource = quendra::ui::kCompiledPictures[i].resource;
        const QImage decoded(QString::fromUtf8(resource));
        ASSERT_FALSE(decoded.isNull()) << resource;
        const QImage compiled = quendra::ui::artwork(resource).toImage();
        EXPECT_EQ(firstDifference(compiled, decoded), "") << resource;
    }
}

TEST(Artwork, APictureWithoutCompiledPixelsIsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.png"));
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(1, 1, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(image.save(path));
    EXPECT_EQ(firstDifference(quendra::ui::artwork(path.toStdString()).toImage(), image), "");
}

TEST(Artwork, TheWindowShowsThePicturesAndCarriesTheIconInThreeSizes) {
    NoLauncher launcher;
    TForm1 form(launcher);
    EXPECT_EQ(form.windowIcon().availableSizes(),
              (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    for (const auto& [name, resource] : {std::pair{"Image1", ":/quendra/banner.png"},
                                         std::pair{"Image2", ":/quendra/encoder.png"}}) {
        const QLabel* label = form.findChild<QLabel*>(QString::fromUtf8(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(firstDifference(label->pixmap().toImage(), QImage(QString::fromUtf8(resource))),
                  "")
            << name;
    }
}

// A style that pops every drop-down's list up over it, editable or not, as some platforms' do;
// there an editable drop-down's list scrolls by a scroll bar rather than by arrows.
class PopUpListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_ComboBox_Popup ? 1 : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

TEST(DropDownBox, OpensItsListAsAnEditableDropDownWould) {
    PopUpListStyle style;
    QWidget window;
    auto* box = new quendra::ui::DropDownBox(&window);
    auto* reference = new QComboBox(&window);
    box->setStyle(&style);
    reference->setStyle(&style);
    reference->setEditable(true);
    for (QComboBox* comboBox : {static_cast<QComboBox*>(box), reference}) {
        for (int i = 0; i < 40; ++i)
            comboBox->addItem(QString::number(i));
        comboBox->setMaxVisibleItems(8);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(box->isEditable());
    box->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->view()->isVisible(); }));
    EXPECT_EQ(box->view()->verticalScrollBarPolicy(), reference->view()->verticalScrollBarPolicy());
    // Its entries drawn and framed as the style set on it has them, though it was set before the
    // list was built.
    EXPECT_STREQ(box->itemDelegate()->metaObject()->className(),
                 reference->itemDelegate()->metaObject()->className());
    EXPECT_EQ(qobject_cast<QFrame*>(box->view()->parentWidget())->frameStyle(),
              qobject_cast<QFrame*>(reference->view()->parentWidget())->frameStyle());
    box->hidePopup();
    // Once the list is built, a change of style changes how it draws them.
    const std::unique_ptr<QStyle> dropsDown(QStyleFactory::create(QStringLiteral("Fusion")));
    box->setStyle(dropsDown.get());
    reference->setStyle(dropsDown.get());
    EXPECT_STREQ(box->itemDelegate()->metaObject()->className(),
                 reference->itemDelegate()->metaObject()->className());
}

} // namespace
