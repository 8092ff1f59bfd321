#include "WindowFixture.h"

#include <QApplication>
#include <QTest>

void WindowFixture::SetUp() {
    form = std::make_unique<TForm1>(launcher);
    form->setLaunchFailureNotice(notice);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}
