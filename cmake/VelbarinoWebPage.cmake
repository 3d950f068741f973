# cmake -DTEMPLATE=... -DSCRIPT=... -DOUTPUT=... -P VelbarinoWebPage.cmake
# Writes the one-file page: the template with the compiled program (its
# WebAssembly already inside the script) in place of @VELBARINO_WEB_SCRIPT@.
file(READ ${SCRIPT} VELBARINO_WEB_SCRIPT)
# A script may not contain its own end tag; the compiled one never does, and
# this keeps it so.
string(FIND "${VELBARINO_WEB_SCRIPT}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} holds </script, which would end the page's script early")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
