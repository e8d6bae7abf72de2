# The third-party code of a cross build for Windows, taken from Debian's packages on the build
# machine and never downloaded: nlohmann's JSON headers and GoogleTest's sources.

# The JSON library is headers only. Its folder is copied on its own, so that the Linux headers
# beside it in /usr/include stay out of the Windows build.
find_path(R605_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          NO_DEFAULT_PATH REQUIRED)
set(R605_CROSS_INCLUDE ${CMAKE_BINARY_DIR}/cross-include)
file(COPY ${R605_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${R605_CROSS_INCLUDE})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${R605_CROSS_INCLUDE})

# GoogleTest is built from the sources of Debian's googletest package.
function(r605_add_googletest)
    set(source /usr/src/googletest)
    if(NOT EXISTS ${source}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest's sources are missing: install Debian's googletest package")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest names its targets GTest::gtest, GTest::gtest_main and GTest::gmock itself.
endfunction()
