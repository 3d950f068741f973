# Every target of ours compiles with the same warnings; VELBARINO_WERROR makes them fatal.
function(velbarino_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VELBARINO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
