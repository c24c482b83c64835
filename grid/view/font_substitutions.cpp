#include "grid/view/font_substitutions.h"

#include <QFont>
#include <QStringList>
#include <mutex>

namespace grid {
namespace {

struct Substitution {
    QString face;
    QStringList installed;
};

void insertAll() {
    const QString serif = QStringLiteral("AR PL UMing CN");
    const QString serifTraditional = QStringLiteral("AR PL UMing TW");
    const QString brush = QStringLiteral("AR PL UKai CN");
    const QString sans = QStringLiteral("WenQuanYi Zen Hei");
    const Substitution substitutions[] = {
        {QStringLiteral("宋体"), {serif, sans}},
        {QStringLiteral("宋体-PUA"), {serif, sans}},
        {QStringLiteral("新宋体"), {serif, sans}},
        {QStringLiteral("仿宋"), {serif, sans}},
        {QStringLiteral("仿宋_GB2312"), {serif, sans}},
        {QStringLiteral("楷体"), {brush, serif, sans}},
        {QStringLiteral("楷体_GB2312"), {brush, serif, sans}},
        {QStringLiteral("黑体"), {sans, serif}},
        {QStringLiteral("微软雅黑"), {sans, serif}},
        {QStringLiteral("SimSun"), {serif, sans}},
        {QStringLiteral("NSimSun"), {serif, sans}},
        {QStringLiteral("FangSong"), {serif, sans}},
        {QStringLiteral("KaiTi"), {brush, serif, sans}},
        {QStringLiteral("SimHei"), {sans, serif}},
        {QStringLiteral("MingLiU"), {serifTraditional, serif, sans}},
        {QStringLiteral("PMingLiU"), {serifTraditional, serif, sans}},
    };
    for (const Substitution& substitution : substitutions) {
        QFont::insertSubstitutions(substitution.face, substitution.installed);
        // A leading "@" asks for the vertical form of a face; the glyphs are the same.
        QFont::insertSubstitutions(QLatin1Char('@') + substitution.face, substitution.installed);
    }
}

}  // namespace

void installFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, insertAll);
}

}  // namespace grid
