#include "StyleControle.h"

#include <QStyleFactory>

namespace {

constexpr int AttenteBulle = 500; // ms

} // namespace

TStyleControle::TStyleControle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int TStyleControle::styleHint(StyleHint indication, const QStyleOption* option,
                              const QWidget* controle, QStyleHintReturn* retour) const {
    if (indication == SH_ToolTip_WakeUpDelay)
        return AttenteBulle;
    return QProxyStyle::styleHint(indication, option, controle, retour);
}
