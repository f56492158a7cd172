#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Headless: no display is needed, also when tests are only listed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
