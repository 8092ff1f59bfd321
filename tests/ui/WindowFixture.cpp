#include "WindowFixture.h"

#include <QTest>

void WindowFixture::SetUp() {
    form = std::make_unique<TForm1>(launcher);
    form->setLaunchFailureNotice(notice);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}
