# Run by CPack on the staged files, before it builds the .deb: strips the
# program as Debian's dh_strip does, .comment and .note included.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_VELBARINO_STRIP} --remove-section=.comment --remove-section=.note
                            --strip-unneeded ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
