# Compiler settings shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

# All text inside the program is GBK: narrow literals are written in UTF-8 in the
# sources and stored as GBK bytes in the binary ("年" becomes C4 EA). The compiler is
# told GB18030, which encodes every GBK character with the same bytes, because the
# C++20 <chrono> that Qt includes holds a "µ" literal that plain GBK cannot take.
# That a source holds nothing outside GBK is checked by the test sources_are_gbk.
# clang has no such option; a clang build (the fuzzers) only checks memory safety.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GB18030)
endif()

# With GBK narrow literals, any implicit char* -> QString conversion would read GBK
# as UTF-8 and produce garbage; forbid it so such code does not compile.
add_compile_definitions(QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

if(BIAOGE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
