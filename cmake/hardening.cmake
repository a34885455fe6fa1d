# Debian's hardening flags (dpkg-buildflags with every hardening feature): fortified C library calls,
# the stack protector, format-string checks, full RELRO with BIND_NOW, and position-independent
# programs. On by default for optimised native builds where dpkg-buildflags exists, so the packages are
# built with them; the build type keeps its say over optimisation and debug information.
find_program(TESSARIN_DPKG_BUILDFLAGS dpkg-buildflags)
set(hardening_default OFF)
if(TESSARIN_DPKG_BUILDFLAGS AND NOT CMAKE_CROSSCOMPILING AND NOT TESSARIN_SANITIZE AND NOT TESSARIN_FUZZ
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    set(hardening_default ON)
endif()
option(TESSARIN_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ${hardening_default})

if(TESSARIN_HARDENING)
    if(NOT TESSARIN_DPKG_BUILDFLAGS)
        message(FATAL_ERROR "TESSARIN_HARDENING needs dpkg-buildflags (package dpkg-dev)")
    endif()
    set(compile_flags)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${TESSARIN_DPKG_BUILDFLAGS} --get ${kind}
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        # Optimisation and debug information follow the build type (-O3 for Release), not dpkg's -O2 -g.
        list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*)$")
        if(kind STREQUAL "LDFLAGS")
            add_link_options(${flags})
        else()
            list(APPEND compile_flags ${flags})
        endif()
    endforeach()
    add_compile_options(${compile_flags})
    # Debian's compiler makes position-independent programs by default; this says so to every other.
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    include(CheckPIESupported)
    check_pie_supported()
endif()
