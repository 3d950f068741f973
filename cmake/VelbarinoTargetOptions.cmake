# velbarino_target_options(<target>): what every target of ours is built with.
# - The same warnings everywhere; VELBARINO_WERROR makes them fatal.
# - The hardening Debian builds its own packages with
#   (dpkg-buildflags, DEB_BUILD_MAINT_OPTIONS=hardening=+all): stack
#   protector, fortified functions wherever the code is optimised, stack-clash
#   and control-flow protection, format-string errors, PIE and full RELRO.
#   On Windows: the stack protector (MinGW's libssp, linked statically, so the
#   program still imports system DLLs only) and fortified functions; ASLR and
#   DEP are the linker's defaults there.
# - Reproducible output: no source or build folder in what the compiler
#   writes, no time stamp in a Windows program file.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

function(velbarino_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VELBARINO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()

    target_compile_options(${target} PRIVATE
        "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
    # WebAssembly has no native stack to smash or jump into: the browser's
    # sandbox checks every access, so the hardening below is for native code.
    # The page is optimised for size, across files as well: less to parse
    # and compile, so it starts sooner.
    if(EMSCRIPTEN)
        target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-Oz> $<$<CONFIG:Release>:-flto>)
        target_link_options(${target} PRIVATE $<$<CONFIG:Release>:-flto>)
        return()
    endif()
    target_compile_options(${target} PRIVATE -fstack-protector-strong -Wformat -Werror=format-security)
    # glibc and MinGW check buffer sizes only in optimised code; the sanitizer
    # build checks them itself, and fortified functions would hide its reports.
    if(NOT VELBARINO_SANITIZE)
        target_compile_definitions(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    endif()
    get_target_property(type ${target} TYPE)
    if(WIN32)
        if(type STREQUAL "EXECUTABLE")
            target_link_libraries(${target} PRIVATE ssp)
            target_link_options(${target} PRIVATE LINKER:--no-insert-timestamp)
        endif()
    else()
        target_compile_options(${target} PRIVATE -fstack-clash-protection -fcf-protection)
        if(type STREQUAL "EXECUTABLE")
            target_link_options(${target} PRIVATE LINKER:-z,relro LINKER:-z,now)
        endif()
    endif()
endfunction()
