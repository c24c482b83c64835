#pragma once

#include <string>
#include <string_view>

#include "grid/provider/odbc/database.h"
#include "grid/units/gbk_text_codec.h"
#include "runtime/window/unit.h"

namespace grid {

// The external database unit: one connection that lets a person pick a data source
// and yields the complete connection text for the provider, which opens its own.
class OdbcDbUnit : public rt::Unit {
public:
    OdbcDbUnit(rt::LoadedWindow& window, rt::UnitTemplate& record) : rt::Unit(window, record), database_(codec_) {}

    QWidget* createWidget(QWidget*) override { return nullptr; }

    // The driver manager on this system never prompts, so we do where it would: an
    // empty text opens the data source dialog, a user without a password asks for
    // one. A refused connection shows the driver's message. With noDialog nothing is
    // asked or shown. On failure the connection held before stays. (Neither driver
    // honours a read-only connection; that is the connection text's business.)
    bool open(std::string_view connection, bool noDialog);
    // The complete text of the open connection, password included; empty when closed.
    const std::string& connectString() const { return database_.connectString(); }
    void close() { database_.close(); }

private:
    GbkTextCodec codec_;
    odbc::Database database_;
};

}  // namespace grid
