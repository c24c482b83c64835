// Any bytes as a template segment: the reader refuses them or gives templates that
// survive writing and reading again unchanged (the bytes themselves may differ:
// reserved fields and record offsets are not kept).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/template/kind_properties.h"
#include "runtime/template/template_segment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto segment = rt::readTemplateSegment({data, size});
    if (!segment) return 0;
    for (const rt::WindowTemplate& window : segment->windows) {
        for (const rt::UnitTemplate& unit : window.units) (void)rt::PropertyBlock::decode(unit.kindProperties);
    }
    auto again = rt::readTemplateSegment(rt::writeTemplateSegment(*segment));
    if (!again || !(*again == *segment)) std::abort();
    return 0;
}
