# cmake -DTEMPLATE=... -DSCRIPT=... -DPROGRAM=... -DOUTPUT=... [-DHOSTED_DIR=... -DSOURCE_DIR=... -DCOMMENTS=...] -P VelbarinoWebPage.cmake
# Writes the one-file page: the template with the compiled program's script
# in place of @VELBARINO_WEB_SCRIPT@ and its WebAssembly, in base64, in place
# of @VELBARINO_WEB_PROGRAM@.
# With HOSTED_DIR, writes that folder for a web server as well: the same page
# as index.html, linked to its manifest and service worker, with the icons.
file(READ ${SCRIPT} VELBARINO_WEB_SCRIPT)
# A script may not contain its own end tag; the compiled one never does, and
# this keeps it so.
string(FIND "${VELBARINO_WEB_SCRIPT}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} holds </script, which would end the page's script early")
endif()
execute_process(COMMAND base64 -w0 ${PROGRAM} OUTPUT_VARIABLE VELBARINO_WEB_PROGRAM RESULT_VARIABLE failed)
if(failed OR VELBARINO_WEB_PROGRAM STREQUAL "")
    message(FATAL_ERROR "cannot read ${PROGRAM} into the page")
endif()
# No icon to ask a server for: the file stands alone.
set(VELBARINO_WEB_HEAD [=[<link rel="icon" href="data:,">]=])
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)

if(DEFINED HOSTED_DIR)
    set(VELBARINO_WEB_HEAD [=[<link rel="manifest" href="manifest.webmanifest">
<link rel="icon" href="velbarino-192.png">
<script>if ('serviceWorker' in navigator) navigator.serviceWorker.register('service-worker.js');</script>]=])
    file(REMOVE_RECURSE ${HOSTED_DIR})
    configure_file(${TEMPLATE} ${HOSTED_DIR}/index.html @ONLY)
    file(SHA256 ${HOSTED_DIR}/index.html digest)
    string(SUBSTRING ${digest} 0 16 VELBARINO_PAGE_DIGEST)
    configure_file(${SOURCE_DIR}/web/service-worker.js.in ${HOSTED_DIR}/service-worker.js @ONLY)
    set(VELBARINO_COMMENTS "${COMMENTS}")
    configure_file(${SOURCE_DIR}/web/manifest.webmanifest.in ${HOSTED_DIR}/manifest.webmanifest @ONLY)
    foreach(size 192 512)
        file(COPY ${SOURCE_DIR}/data/icons/velbarino-${size}.png DESTINATION ${HOSTED_DIR})
    endforeach()
endif()
