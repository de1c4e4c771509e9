#pragma once

#include "platform/application_setup.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, with the set-up the program itself makes around its application
// object, so windows with embedded browsers work in tests and show Qt's own texts
// in Chinese, as users see them.
#define SKARVEL_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        prepareApplication();                                                                      \
        QApplication app(argc, argv);                                                              \
        if (!setUpApplication())                                                                   \
            qFatal("Qt's Chinese texts are missing");                                              \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
