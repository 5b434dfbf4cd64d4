# libjpeg (the 6b interface of libjpeg-turbo) as one target, Tamrel::jpeg.
#
# Natively it is Debian's libjpeg62-turbo-dev. For the Windows build there is
# no packaged library, so Debian's source package of libjpeg-turbo is fetched
# once into the build tree (tools/fetch-debian-source) and cross-built as a
# static libjpeg.a; only the library target is built, not its tools.
add_library(tamrel_jpeg INTERFACE)
add_library(Tamrel::jpeg ALIAS tamrel_jpeg)

if(NOT CMAKE_CROSSCOMPILING)
  find_package(JPEG REQUIRED)
  target_link_libraries(tamrel_jpeg INTERFACE JPEG::JPEG)
  return()
endif()

include(ExternalProject)

set(tamrel_jpeg_root ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(tamrel_jpeg_source ${tamrel_jpeg_root}/source)
set(tamrel_jpeg_build ${tamrel_jpeg_root}/build)
set(tamrel_jpeg_library ${tamrel_jpeg_build}/libjpeg.a)

ExternalProject_Add(libjpeg_turbo
  PREFIX ${tamrel_jpeg_root}
  SOURCE_DIR ${tamrel_jpeg_source}
  BINARY_DIR ${tamrel_jpeg_build}
  DOWNLOAD_COMMAND
    ${CMAKE_CURRENT_LIST_DIR}/../tools/fetch-debian-source libjpeg-turbo
    ${tamrel_jpeg_root} ${tamrel_jpeg_source}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32-libjpeg.cmake
    -DCMAKE_BUILD_TYPE=Release
    # never installed, but its package files want a prefix that is a path here
    -DCMAKE_INSTALL_PREFIX=${tamrel_jpeg_root}/install
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_TURBOJPEG=OFF
    -DWITH_SIMD=OFF
    # Small rather than fast: one picture is decoded once. No environment
    # (libjpeg would read JPEGMEM, and the sscanf behind it costs 32 KB),
    # no unwind tables (nothing is thrown through the library: its errors
    # leave by longjmp), no arithmetic coding (the picture is baseline).
    "-DCMAKE_C_FLAGS_RELEASE=-Os -DNDEBUG -DNO_GETENV -fno-asynchronous-unwind-tables"
    -DWITH_ARITH_DEC=OFF
    -DWITH_ARITH_ENC=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${tamrel_jpeg_library}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON
)

# jpeglib.h and its companions come from the source, jconfig.h from the
# build; both exist only after the build step, but CMake wants the include
# directories of a target to exist when it generates.
file(MAKE_DIRECTORY ${tamrel_jpeg_source} ${tamrel_jpeg_build})
target_include_directories(tamrel_jpeg SYSTEM INTERFACE ${tamrel_jpeg_source} ${tamrel_jpeg_build})
target_link_libraries(tamrel_jpeg INTERFACE ${tamrel_jpeg_library})
add_dependencies(tamrel_jpeg libjpeg_turbo)
