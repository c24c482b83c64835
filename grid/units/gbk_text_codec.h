#pragma once

#include <QString>

#include "grid/provider/odbc/text_codec.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {

// The editor's GBK codec behind the database component's codec interface, so texts
// reach the drivers converted exactly as everywhere else in the program.
class GbkTextCodec : public odbc::TextCodec {
public:
    std::u16string toUtf16(std::string_view gbk) const override {
        QString text = rt::fromGbk(gbk);
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
    }
    std::string toGbk(std::u16string_view utf16) const override {
        return rt::toGbk(QString(reinterpret_cast<const QChar*>(utf16.data()), qsizetype(utf16.size())));
    }
};

}  // namespace grid
