// Any bytes as a settings file: reading never fails, and a value written into it
// reads back unchanged while the other lines keep their bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "runtime/platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/biaoge-profile-fuzz-" + std::to_string(getpid()) + ".ini";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    rt::ProfileFile profile(path);
    (void)profile.read("表格", "行数", "30");
    if (!profile.write("表格", "列宽", " 250 ")) return 0;
    if (profile.read("表格", "列宽", "") != " 250 ") std::abort();
    return 0;
}
