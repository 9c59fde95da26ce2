#pragma once
// main() of a window test: the program's own application object, so that the tests see its
// style, translations, title and error box.
#include <QTest>

#include "ApplicationControle.h"

#define QTEST_MAIN_CONTROLE(Classe)                                                                \
    int main(int argc, char* argv[]) {                                                             \
        TApplicationControle application(argc, argv);                                              \
        Classe tests;                                                                              \
        return QTest::qExec(&tests, argc, argv);                                                   \
    }
