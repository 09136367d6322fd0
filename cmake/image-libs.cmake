# corvalin_image_libs: zlib, libjpeg-turbo, libpng and libtiff, for the code
# that reads and writes image files. Natively Debian's packages; on Windows
# static builds of the same versions from Debian's sources, which
# scripts/build-image-libs.sh makes once per architecture (make runs it
# before it configures a Windows tree), so that both programs run the same
# library code and write the same bytes.
add_library(corvalin_image_libs INTERFACE)
if(WIN32)
  set(CORVALIN_IMAGE_LIBS ${CMAKE_SOURCE_DIR}/build/image-libs/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32 CACHE PATH
      "The folder where scripts/build-image-libs.sh put the image libraries for this architecture")
  if(NOT EXISTS ${CORVALIN_IMAGE_LIBS}/.built-from)
    message(FATAL_ERROR "No image libraries in ${CORVALIN_IMAGE_LIBS}: make them first with\n"
            "  scripts/build-image-libs.sh cmake/mingw-${CMAKE_SYSTEM_PROCESSOR}-release.cmake ${CORVALIN_IMAGE_LIBS}")
  endif()
  # In the order a static link needs: libtiff calls libjpeg and zlib,
  # libpng zlib.
  foreach(library tiff png16 jpeg z)
    add_library(corvalin_image_${library} STATIC IMPORTED)
    set_target_properties(corvalin_image_${library} PROPERTIES
      IMPORTED_LOCATION ${CORVALIN_IMAGE_LIBS}/lib/lib${library}.a)
    target_link_libraries(corvalin_image_libs INTERFACE corvalin_image_${library})
  endforeach()
  target_include_directories(corvalin_image_libs SYSTEM INTERFACE ${CORVALIN_IMAGE_LIBS}/include)
else()
  find_package(ZLIB REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  find_package(TIFF REQUIRED)
  target_link_libraries(corvalin_image_libs INTERFACE TIFF::TIFF PNG::PNG JPEG::JPEG ZLIB::ZLIB)
endif()
