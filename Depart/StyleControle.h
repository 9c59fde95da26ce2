#pragma once
#include <QProxyStyle>

// The program's look on every desktop: Qt's Fusion style, with tooltips that wake up after
// the pointer has rested 500 ms.
class TStyleControle : public QProxyStyle {
    Q_OBJECT

public:
    TStyleControle();

    int styleHint(StyleHint indication, const QStyleOption* option, const QWidget* controle,
                  QStyleHintReturn* retour) const override;
};
