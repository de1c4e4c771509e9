#pragma once

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, with the set-up the program itself makes before its
// application object exists, so windows with embedded browsers work in tests.
#define SKARVEL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Skarvel"));                               \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
