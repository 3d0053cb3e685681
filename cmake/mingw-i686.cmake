# The Windows build for i686 (see mingw.cmake).
set(PINLET_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
