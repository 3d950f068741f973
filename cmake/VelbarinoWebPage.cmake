# cmake -DTEMPLATE=... -DSCRIPT=... -DPROGRAM=... -DOUTPUT=... -DMINIFY=terser [-DHOSTED_DIR=... -DSOURCE_DIR=... -DCOMMENTS=...] -P VelbarinoWebPage.cmake
# Writes the one-file page: the template with the compiled program's script
# in place of @VELBARINO_WEB_SCRIPT@ and its WebAssembly, in base64, in place
# of @VELBARINO_WEB_PROGRAM@. The program's and the scanner's scripts go in
# minified (MINIFY: Debian's terser): a third of the page's script, so less
# to download and parse.
# With HOSTED_DIR, writes that folder for a web server as well: the same page
# as index.html, linked to its manifest and service worker, with the icons,
# and the barcode decoder from DECODER_DIR (npm's zxing-wasm) with its
# licence and zxing-cpp's.
cmake_policy(VERSION 3.25)  # a script run by -P starts with none set

# base64_of_hex(OUT HEX): the bytes that HEX spells, in base64, as a content
# security policy writes a hash.
function(base64_of_hex out hex)
    set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    string(LENGTH "${hex}" length)
    set(encoded "")
    foreach(at RANGE 0 ${length} 6)
        if(at EQUAL length)
            break()
        endif()
        string(SUBSTRING "${hex}" ${at} 6 group)
        string(LENGTH "${group}" digits)
        math(EXPR bytes "${digits} / 2")
        string(APPEND group "000000")
        string(SUBSTRING "${group}" 0 6 group)
        math(EXPR value "0x${group}")
        foreach(shift 18 12 6 0)
            math(EXPR index "(${value} >> ${shift}) & 63")
            string(SUBSTRING "${alphabet}" ${index} 1 character)
            string(APPEND encoded "${character}")
        endforeach()
        if(bytes LESS 3)  # padding for the last group
            math(EXPR keep "${bytes} + 1")
            string(SUBSTRING "${encoded}" 0 -1 encoded)
            string(LENGTH "${encoded}" total)
            math(EXPR cut "${total} - 4 + ${keep}")
            string(SUBSTRING "${encoded}" 0 ${cut} encoded)
            if(bytes EQUAL 1)
                string(APPEND encoded "==")
            else()
                string(APPEND encoded "=")
            endif()
        endif()
    endforeach()
    set(${out} "${encoded}" PARENT_SCOPE)
endfunction()

# write_page(TEMPLATE OUTPUT): the template filled in, without its comment
# lines and indentation, its policy allowing
# exactly the page's own inline scripts, by their SHA-256 (data blocks, such
# as the program's base64, are no scripts and need none).
function(write_page template output)
    set(VELBARINO_SCRIPT_HASHES "@VELBARINO_SCRIPT_HASHES@")
    # The template's comment lines and indentation stay in the source: the
    # page goes without them (a quarter of its glue).
    file(READ ${template} source)
    string(REGEX REPLACE "\n[ ]*//[^\n]*" "" source "${source}")
    string(REGEX REPLACE "\n[ ]+" "\n" source "${source}")
    file(WRITE ${output}.in "${source}")
    configure_file(${output}.in ${output} @ONLY)
    file(REMOVE ${output}.in)
    file(READ ${output} page)
    set(rest "${page}")
    set(hashes "")
    while(TRUE)
        string(FIND "${rest}" "<script>" start)
        if(start EQUAL -1)
            break()
        endif()
        math(EXPR start "${start} + 8")
        string(SUBSTRING "${rest}" ${start} -1 rest)
        string(FIND "${rest}" "</script>" end)
        string(SUBSTRING "${rest}" 0 ${end} script)
        string(SHA256 digest "${script}")
        base64_of_hex(encoded ${digest})
        string(APPEND hashes " 'sha256-${encoded}'")
        string(SUBSTRING "${rest}" ${end} -1 rest)
    endwhile()
    string(STRIP "${hashes}" hashes)
    string(REPLACE "@VELBARINO_SCRIPT_HASHES@" "${hashes}" page "${page}")
    file(WRITE ${output} "${page}")
endfunction()

# minified(OUT FILE [TOPLEVEL]): FILE's script, compressed and its names
# shortened; TOPLEVEL shortens its global names too, all but those the
# page's other scripts share with it (Module, and HEAPU16 for the glue's
# reading of a text). A script may not contain its own end tag.
function(minified out file)
    set(names --mangle)
    if(ARGN)
        set(names --toplevel --mangle "toplevel,reserved=['Module','HEAPU16']")
    endif()
    execute_process(COMMAND ${MINIFY} ${file} --compress ${names}
                    OUTPUT_VARIABLE script RESULT_VARIABLE failed)
    if(failed OR script STREQUAL "")
        message(FATAL_ERROR "${MINIFY} could not minify ${file}")
    endif()
    string(FIND "${script}" "</script" closing)
    if(NOT closing EQUAL -1)
        message(FATAL_ERROR "${file} holds </script, which would end the page's script early")
    endif()
    string(STRIP "${script}" script)
    set(${out} "${script}" PARENT_SCOPE)
endfunction()
minified(VELBARINO_WEB_SCRIPT ${SCRIPT} TOPLEVEL)
minified(VELBARINO_SCANNER_SCRIPT ${SOURCE_DIR}/web/scanner.js)
execute_process(COMMAND base64 -w0 ${PROGRAM} OUTPUT_VARIABLE VELBARINO_WEB_PROGRAM RESULT_VARIABLE failed)
if(failed OR VELBARINO_WEB_PROGRAM STREQUAL "")
    message(FATAL_ERROR "cannot read ${PROGRAM} into the page")
endif()
# No icon to ask a server for: the file stands alone.
set(VELBARINO_WEB_HEAD [=[<link rel="icon" href="data:,">]=])
write_page(${TEMPLATE} ${OUTPUT})

if(DEFINED HOSTED_DIR)
    set(VELBARINO_WEB_HEAD [=[<link rel="manifest" href="manifest.webmanifest">
<link rel="icon" href="velbarino-192.png">
<meta name="velbarino-decoder" content="scanner-worker.js">
<script>if ('serviceWorker' in navigator) navigator.serviceWorker.register('service-worker.js');</script>]=])
    file(REMOVE_RECURSE ${HOSTED_DIR})
    write_page(${TEMPLATE} ${HOSTED_DIR}/index.html)
    set(VELBARINO_COMMENTS "${COMMENTS}")
    configure_file(${SOURCE_DIR}/web/manifest.webmanifest.in ${HOSTED_DIR}/manifest.webmanifest @ONLY)
    foreach(size 192 512)
        file(COPY ${SOURCE_DIR}/data/icons/velbarino-${size}.png DESTINATION ${HOSTED_DIR})
    endforeach()
    file(COPY ${SOURCE_DIR}/web/scanner-worker.js ${DECODER_DIR}/dist/reader/zxing_reader.wasm DESTINATION ${HOSTED_DIR})
    file(COPY_FILE ${DECODER_DIR}/dist/iife/reader/index.js ${HOSTED_DIR}/zxing-reader.js)
    # The offline cache is named after every file it keeps: a release that
    # changes only the decoder changes the service worker too.
    set(digests "")
    foreach(kept index.html manifest.webmanifest velbarino-192.png velbarino-512.png scanner-worker.js zxing-reader.js zxing_reader.wasm)
        file(SHA256 ${HOSTED_DIR}/${kept} digest)
        string(APPEND digests "${digest} ${kept}\n")
    endforeach()
    string(SHA256 digest "${digests}")
    string(SUBSTRING ${digest} 0 16 VELBARINO_PAGE_DIGEST)
    configure_file(${SOURCE_DIR}/web/service-worker.js.in ${HOSTED_DIR}/service-worker.js @ONLY)
    file(COPY_FILE ${DECODER_DIR}/LICENSE ${HOSTED_DIR}/LICENSE-zxing-wasm.txt)
    # zxing-cpp, which zxing-wasm compiles, is under the Apache License 2.0; Debian keeps its text.
    file(COPY_FILE /usr/share/common-licenses/Apache-2.0 ${HOSTED_DIR}/LICENSE-zxing-cpp.txt)
endif()
