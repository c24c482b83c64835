#include "runtime/platform/gbk_codec.h"

#include <QStringDecoder>
#include <algorithm>
#include <QStringEncoder>

namespace rt {
namespace {

bool isLeadByte(uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; }
bool isTrailByte(uint8_t byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// Length of the well-formed character at i: 1 for a single byte below 0x81, 2 for a
// lead byte with a trail byte, 0 for a byte that starts nothing valid.
size_t characterLengthAt(std::string_view gbk, size_t i) {
    auto byte = static_cast<uint8_t>(gbk[i]);
    if (byte <= 0x80) return 1;
    if (isLeadByte(byte) && i + 1 < gbk.size() && isTrailByte(static_cast<uint8_t>(gbk[i + 1]))) return 2;
    return 0;
}

}  // namespace

QString fromGbk(std::string_view gbk) {
    // The converter silently drops a lead byte at the end and maps some invalid bytes
    // to private-use characters, so the text is split here into well-formed runs, each
    // decoded whole, and one U+FFFD per byte that starts nothing.
    // Opening the converter costs more than most texts take to decode, so each thread
    // keeps one; being stateless, it starts every text afresh.
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString text;
    text.reserve(static_cast<qsizetype>(gbk.size()));
    size_t runStart = 0;
    auto decodeRun = [&](size_t end) {
        if (end > runStart) text += decoder.decode(QByteArrayView(gbk.data() + runStart, qsizetype(end - runStart)));
    };
    for (size_t i = 0; i < gbk.size();) {
        size_t length = characterLengthAt(gbk, i);
        if (length == 0) {
            decodeRun(i);
            text += QChar(QChar::ReplacementCharacter);
            runStart = ++i;
        } else {
            i += length;
        }
    }
    decodeRun(gbk.size());
    return text;
}

namespace {

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One character at a time, "?" in place of anything that does not survive: the
// converter drops what it cannot map without saying where.
std::string toGbkByCharacter(const QString& text, QStringEncoder& encoder) {
    std::string gbk;
    gbk.reserve(static_cast<size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.unicode() < 0x80) {
            gbk += static_cast<char>(c.unicode());
            continue;
        }
        if (c.isSurrogate()) {
            // No character outside the basic plane exists in GBK; skip a whole pair.
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
            gbk += '?';
            continue;
        }
        QByteArray bytes = encoder.encode(QStringView(&c, 1));
        if (encoder.hasError() || bytes.isEmpty()) {
            // The converter keeps its error once it has one: start a fresh one.
            encoder = QStringEncoder("GBK", QStringConverter::Flag::Stateless);
            gbk += '?';
        } else {
            gbk.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        }
    }
    return gbk;
}

}  // namespace

std::string toGbk(const QString& text) {
    // Opening a converter costs more than most texts take, so each thread keeps one.
    // A text whose bytes decode back to it lost nothing on the way and is done in one
    // pass; any other goes character by character.
    thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() && QString(decoder.decode(bytes)) == text && !decoder.hasError()) {
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    encoder = QStringEncoder("GBK", QStringConverter::Flag::Stateless);
    decoder = QStringDecoder("GBK", QStringConverter::Flag::Stateless);
    return toGbkByCharacter(text, encoder);
}

std::string gbkToUtf8(std::string_view gbk) {
    QByteArray utf8 = fromGbk(gbk).toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string utf8ToGbk(std::string_view utf8) {
    // ASCII is the same in both.
    if (isAscii(utf8)) return std::string(utf8);
    return toGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace rt
