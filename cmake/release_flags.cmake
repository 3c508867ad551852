# The flags of Tirlo as its own build makes it: optimised, hardened as far as the
# compiler and linker allow, and the same bytes wherever the tree lies. They go
# with CMake's release build types only. A distribution that builds under the
# build type None with flags of its own, as Debian's debhelper does, gets none
# of them; a Debug build gets none either.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type (default RelWithDebInfo)" FORCE)
endif()
# -O3 vectorises the loop that turns draws into die values (make bench). -g
# changes no code: it keeps profiles and backtraces readable. The sanitized
# builds, never shipped, take the -O1 that AddressSanitizer advises: they
# compile in a fifth less time and report the same faults.
if(TIRLO_SANITIZE)
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g -DNDEBUG")
else()
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O3 -g -DNDEBUG")
endif()
set(release_types Release,RelWithDebInfo,MinSizeRel)

# Source paths as the compiler writes them into debug information and
# __FILE__, relative to the tree, so that two checkouts build alike.
set(release_compile -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${PROJECT_BINARY_DIR} build_in_tree)
if(NOT build_in_tree)
  list(APPEND release_compile -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
set(release_link)

# The sanitizers watch memory themselves, and fortified libc calls would
# hide accesses from them; sanitized builds are never shipped.
if(NOT TIRLO_SANITIZE)
  list(APPEND release_compile -D_FORTIFY_SOURCE=2 -Werror=format-security)
  foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "TIRLO_CXX_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      list(APPEND release_compile ${flag})
    endif()
  endforeach()
  # Qt's targets compile every object as position-independent code already.
  foreach(flag -pie LINKER:-z,relro LINKER:-z,now)
    string(MAKE_C_IDENTIFIER "TIRLO_LINKER_HAS${flag}" known)
    check_linker_flag(CXX ${flag} ${known})
    if(${known})
      list(APPEND release_link ${flag})
    endif()
  endforeach()
endif()

add_compile_options("$<$<CONFIG:${release_types}>:${release_compile}>")
add_link_options("$<$<CONFIG:${release_types}>:${release_link}>")
