# Code that differs between systems lives in files of its own, named
# "<name>_posix.cpp" and "<name>_windows.cpp" beside the shared "<name>.cpp";
# a build takes the ones of the system it builds for.
function(blockwright_platform_sources list)
    if(WIN32)
        list(FILTER ${list} EXCLUDE REGEX "_posix(_test)?\\.cpp$")
    else()
        list(FILTER ${list} EXCLUDE REGEX "_windows(_test)?\\.cpp$")
    endif()
    set(${list} ${${list}} PARENT_SCOPE)
endfunction()

# BLOCKWRIGHT_WINDOWS: 1 where the Windows files are taken, else 0, for the
# target and whatever links it (files/this_system.h).
function(blockwright_system_definition target)
    if(WIN32)
        target_compile_definitions(${target} PUBLIC BLOCKWRIGHT_WINDOWS=1)
    else()
        target_compile_definitions(${target} PUBLIC BLOCKWRIGHT_WINDOWS=0)
    endif()
endfunction()
