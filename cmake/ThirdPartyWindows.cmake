# Windows-target builds of GoogleTest (from Debian's sources) and libpng (from Debian's source package).

set(TAVREL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(TAVREL_LIBPNG_SOURCE_DIR "" CACHE PATH "Unpacked libpng 1.6 source package")

if(BUILD_TESTING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${TAVREL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
endif()

if(NOT EXISTS ${TAVREL_LIBPNG_SOURCE_DIR}/png.h)
    message(FATAL_ERROR "libpng sources not found in '${TAVREL_LIBPNG_SOURCE_DIR}': run scripts/install-deps.sh")
endif()
# zlib's static library, named outright: FindZLIB would take the import library, and Tavrel.exe would
# then need zlib1.dll.
find_library(TAVREL_ZLIB_STATIC NAMES libz.a REQUIRED)
foreach(var ZLIB_LIBRARY ZLIB_LIBRARY_RELEASE)
    set(${var} ${TAVREL_ZLIB_STATIC} CACHE FILEPATH "zlib, static" FORCE)
endforeach()
find_package(ZLIB REQUIRED)
set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
add_subdirectory(${TAVREL_LIBPNG_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/libpng EXCLUDE_FROM_ALL)
add_library(tavrel_png INTERFACE)
target_link_libraries(tavrel_png INTERFACE png_static ZLIB::ZLIB)
target_include_directories(tavrel_png INTERFACE ${TAVREL_LIBPNG_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/libpng)
