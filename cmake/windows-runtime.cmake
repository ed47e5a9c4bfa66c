# What the Windows wizard needs beside its executable, laid out as the
# installer lays it out: Qt's DLLs, its platform, style and icon plugins, and
# MinGW-w64's C++ runtime DLLs, which Qt's DLLs link. The wizard and its tests
# then run from the build tree under Wine as they do installed.
set(BLOCKWRIGHT_QT_DLLS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network)
set(BLOCKWRIGHT_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    platforms Qt6::QMinimalIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin
    imageformats Qt6::QICOPlugin)
file(GLOB BLOCKWRIGHT_MINGW_RUNTIME
    /usr/lib/gcc/x86_64-w64-mingw32/*-posix/libstdc++-6.dll
    /usr/lib/gcc/x86_64-w64-mingw32/*-posix/libgcc_s_seh-1.dll
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)

# The wizard's tests link Qt Test; its target is found here too, since this
# folder lays out their DLLs before the tests' folder is read.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(commands)
foreach(dll ${BLOCKWRIGHT_QT_DLLS} Qt6::Test)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
        $<TARGET_FILE:${dll}> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/)
endforeach()
list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
    ${BLOCKWRIGHT_MINGW_RUNTIME} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/)
set(plugins ${BLOCKWRIGHT_QT_PLUGINS})
while(plugins)
    list(POP_FRONT plugins folder plugin)
    list(APPEND commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:${plugin}> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}/)
endwhile()
add_custom_target(windows_runtime ${commands} VERBATIM)
