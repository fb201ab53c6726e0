# GoogleTest from Debian's sources, built with whichever compiler this tree uses
# (the native one, or the MinGW-w64 cross compiler for the Windows tree).
set(VWI_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source folder")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${VWI_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Under the sanitizers the framework builds unoptimised, as the tests do.
if(VWI_SANITIZE AND NOT WIN32)
  foreach(library gtest gtest_main gmock gmock_main)
    target_compile_options(${library} PRIVATE -O0)
  endforeach()
endif()
