#include "grid/format/page_settings_block.h"

namespace grid {

void writePageSettingsBlock(ByteSink& sink, const PageSettings& settings) {
    sink.writeLittleEndian(settings.marginLeft);
    sink.writeLittleEndian(settings.marginTop);
    sink.writeLittleEndian(settings.marginRight);
    sink.writeLittleEndian(settings.marginBottom);
    sink.writeLittleEndian(settings.pageNumberPosition);
    sink.writeLittleEndian(settings.scale);
    sink.writeLittleEndian(settings.paperSize);
    sink.writeLittleEndian(settings.orientation);
    sink.writeLittleEndian(settings.repeatLastRow);
    sink.writeLittleEndian(settings.addTableLines);
    sink.writeLittleEndian(settings.rowsPerPage);
}

bool readPageSettingsBlock(ByteReader& reader, PageSettings& settings) {
    if (reader.remaining() < kPageSettingsBlockSize) return false;
    PageSettings read;
    reader.read(read.marginLeft);
    reader.read(read.marginTop);
    reader.read(read.marginRight);
    reader.read(read.marginBottom);
    reader.read(read.pageNumberPosition);
    reader.read(read.scale);
    reader.read(read.paperSize);
    reader.read(read.orientation);
    reader.read(read.repeatLastRow);
    reader.read(read.addTableLines);
    reader.read(read.rowsPerPage);
    settings = std::move(read);
    return true;
}

}  // namespace grid
