# The same sources for 64-bit Windows, for hosts whose Wine is 64-bit only.
set(ZELBRIN_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
